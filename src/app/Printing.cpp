// Printing the picture of the main window on one page, through the page set-up and print
// dialogs.
#include "app/App.h"
#include "app/PagePicture.h"

#include "customisation/CustomizationModule.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/Log.h"
#include "platform/Printing.h"

#include <string>

void app::PrintCalendar(const PicturePtr& picture) {
    // The set-up is made inside too: it loads the printing module, which may be missing or
    // broken, and that is a failure to print, not one of the calendar.
    try {
        PrinterSetup setup;
        setup.SetSetupString(PrinterSetupString);
        if (!setup.PageSetupDialog()) return;
        // Kept for the rest of the run, even when the print dialog is cancelled.
        PrinterSetupString = setup.SetupString();
        setup.DocumentName =
            Customization().applicationName.empty() ? "Calendar" : Customization().applicationName;
        std::unique_ptr<Graphics> page = OpenPrinterDialog(setup);
        if (!page) return;
        page->DrawPicture(PagePicture(picture, setup.Width(), setup.Height()), 0, 0);
        SendPage(std::move(page));
    } catch (const IOException& error) {
        LogProblem(std::string("the calendar could not be printed, ") + error.what());
        MessageDialog message;
        message.Icon = 2;
        message.Message = "The calendar could not be printed.";
        message.Explanation = error.what();
        message.ShowModal();
    }
}
