#include "platform/TestSeams.h"

namespace {
struct SeamState {
    bool enabled = false;
    TestSeams::DialogAnswer answer;
    std::vector<TestSeams::DialogRecord> dialogs;
    std::vector<std::string> urls;
};
SeamState& State() {
    static SeamState state;
    return state;
}
} // namespace

namespace TestSeams {

void Enable() {
    State() = SeamState{true, {}, {}, {}};
}
void Disable() {
    State() = SeamState{};
}
bool Enabled() {
    return State().enabled;
}
void AnswerDialogs(DialogAnswer answer) {
    State().answer = std::move(answer);
}
const std::vector<DialogRecord>& Dialogs() {
    return State().dialogs;
}
const std::vector<std::string>& OpenedURLs() {
    return State().urls;
}

int RecordDialog(DialogRecord record) {
    State().dialogs.push_back(record);
    return State().answer ? State().answer(record) : 0;
}

void RecordURL(std::string url) {
    State().urls.push_back(std::move(url));
}

} // namespace TestSeams
