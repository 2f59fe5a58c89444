#pragma once
// Hooks that let tests drive what would otherwise need a person or the desktop: dialogs are
// recorded and answered, URLs recorded instead of opened. Production code never enables them.
#include <functional>
#include <string>
#include <vector>

namespace TestSeams {

struct DialogRecord {
    std::string message;
    std::string explanation;
    std::vector<std::string> buttons; // captions of the visible buttons: action, alternate, cancel
};

// Which button a test presses: 0 action, 1 alternate, 2 cancel.
using DialogAnswer = std::function<int(const DialogRecord&)>;

// Turns the seams on with empty records; every dialog is answered with its action button.
void Enable();
void Disable();
bool Enabled();

void AnswerDialogs(DialogAnswer answer);
const std::vector<DialogRecord>& Dialogs();
const std::vector<std::string>& OpenedURLs();

// Used by the framework layer itself.
int RecordDialog(DialogRecord record);
void RecordURL(std::string url);

} // namespace TestSeams
