#pragma once
// Printing: a page set-up that the user picks in the page set-up dialog, and a print job
// chosen in the print dialog, drawn through a Graphics. The page is measured in page pixels at
// the printer's resolution, at most 300 dots per inch, so a page picture stays a few tens of
// megabytes however fine the printer.
#include "platform/Graphics.h"

#include <memory>
#include <string>

class PrinterSetup {
  public:
    // The platform's default printer and page.
    PrinterSetup();
    ~PrinterSetup();
    PrinterSetup(const PrinterSetup&) = delete;
    PrinterSetup& operator=(const PrinterSetup&) = delete;

    // The page size, orientation and margins as one line of text, to carry them from one
    // set-up to the next. An empty or unreadable text leaves the set-up as it is.
    std::string SetupString() const;
    void SetSetupString(const std::string& setup);

    // The page set-up dialog; true when the user confirms it.
    bool PageSetupDialog();

    // The printable area of the page, in page pixels, and their dots per inch.
    int Width() const;
    int Height() const;
    int Resolution() const;

    // The job's name; a print to file proposes a file named after it.
    std::string DocumentName;

    struct Impl;
    Impl& Internals() const { return *impl_; }
    std::shared_ptr<Impl> SharedInternals() const { return impl_; }

  private:
    // Shared with the print job, which needs the printer until the page is out.
    std::shared_ptr<Impl> impl_;
};

// The print dialog for setup. Returns a surface over the printable area of one page, measured
// as setup measures it, or nullptr when the user cancels. Raises IOException when the printer
// or the file cannot be opened, or the print queue is stopped, refuses jobs or cannot be
// reached.
std::unique_ptr<Graphics> OpenPrinterDialog(PrinterSetup& setup);

// Ends the page and sends it out. Raises IOException, with the print server's reason, when the
// queue does not take the job. A page surface that is merely released goes out as well, but
// then a refusal goes unheard.
void SendPage(std::unique_ptr<Graphics> page);
