// Printing through a real print server with a virtual printer that writes each job as a PDF:
// the page set-up of the queue, the job it takes and the page it writes; a queue that will not
// print and a server that goes away; a quit while a print dialog is open.
#include "app/AppTestSupport.h"
#include "app/Menu.h"
#include "mainwindow/PrintingFixture.h"

#include "platform/FolderItem.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

#include "support/PictureTestSupport.h"
#include "support/Waiting.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <set>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

namespace {

// The server that tools/print-server.sh started for these tests, as its state file says.
struct PrintServer {
    std::string skip, socket, queue, output, pid;

    static PrintServer Read() {
        PrintServer server;
        std::ifstream in(PRINT_SERVER_STATE);
        if (!in) server.skip = "the print server's state file is missing; run the tests with ctest";
        for (std::string line; std::getline(in, line);) {
            const auto equals = line.find('=');
            const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
            if (key == "skip") server.skip = value;
            if (key == "server") server.socket = value;
            if (key == "queue") server.queue = value;
            if (key == "output") server.output = value;
            if (key == "pid") server.pid = value;
        }
        return server;
    }

    // Runs a shell command against this server, its administration's sbin on the path; its
    // standard output.
    std::string Run(const std::string& command) const {
        const std::string line = "PATH=$PATH:/usr/sbin CUPS_SERVER=" + socket + " " + command;
        std::string out;
        if (FILE* pipe = popen(line.c_str(), "r")) {
            char buffer[512];
            while (const size_t n = fread(buffer, 1, sizeof buffer, pipe))
                out.append(buffer, n);
            pclose(pipe);
        }
        return out;
    }
    int Lines(const std::string& command) const {
        const std::string out = Run(command);
        return static_cast<int>(std::count(out.begin(), out.end(), '\n'));
    }
    int CompletedJobs() const { return Lines("lpstat -W completed -o " + queue); }
    // Waits until the queue holds no job that is still to print.
    void WaitForQueue() const {
        EXPECT_TRUE(WaitUntil([&] { return Lines("lpstat -o " + queue) == 0; },
                              std::chrono::milliseconds(100)))
            << "jobs still to print";
    }
    std::set<std::string> Pages() const {
        std::set<std::string> pages;
        for (const auto& entry : std::filesystem::directory_iterator(output))
            pages.insert(entry.path().string());
        return pages;
    }
    // The server goes away, as when the machine's print service is stopped.
    void Stop() const {
        kill(std::stoi(pid), SIGTERM);
        for (int i = 0; i < 100 && std::filesystem::exists(socket); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_FALSE(std::filesystem::exists(socket)) << "the print server did not stop";
    }
    void Restart() const { std::system("bash " PRINT_SERVER_SCRIPT " daemon " PRINT_SERVER_STATE); }
};

class PrintServerTest : public PrintingTest {
  protected:
    void SetUp() override {
        if (!server.skip.empty()) GTEST_SKIP() << "no print server: " << server.skip;
        setenv("CUPS_SERVER", server.socket.c_str(), 1);
        Customization().daysColor = RGB(0, 0, 0); // the ring is the only red
    }
    const PrintServer server = PrintServer::Read();
};

// The page as the queue wrote it, drawn into folder at two pixels a point, fine enough for
// the ring's thin lines.
constexpr double kPixelsAPoint = 2;
PicturePtr RenderedPage(const PrintServer& server, const std::string& pdf,
                        const std::filesystem::path& folder) {
    const std::string png = (folder / "page").string();
    server.Run("pdftoppm -r 144 -png -singlefile '" + pdf + "' '" + png + "'");
    return FolderItem(png + ".png").OpenAsPicture();
}

// Red, as the ring comes out of the queue: its thin lines blend with the black around them.
int StrongRed(const Picture& page) {
    int count = 0;
    for (int y = 0; y < page.Height(); ++y)
        for (int x = 0; x < page.Width(); ++x) {
            const Color c = page.Pixel(x, y);
            count += c.r > 120 && c.g < 60 && c.b < 60;
        }
    return count;
}

} // namespace

// The year face on the page set-up's landscape, then the week face starting from the page kept
// for the run: the queue's A4 with the page set-up's margins of 10 points (3.53 mm).
TEST_F(PrintServerTest, EachFacePrintsThroughTheQueueOnOneFittedPageWithoutTodaysRing) {
    constexpr const char* kKept =
        "size=210x297mm;orientation=landscape;margins=3.53,3.53,3.53,3.53mm";
    constexpr double kMargin = 3.53 / 25.4 * 72 * kPixelsAPoint,
                     kWidth = 297 / 25.4 * 72 * kPixelsAPoint,
                     kHeight = 210 / 25.4 * 72 * kPixelsAPoint;
    CalendarWindow& window = CalendarWindow::Instance();
    for (const bool weekFace : {false, true}) {
        if (weekFace) window.GlanceOn();
        const std::vector<std::string> shown = Shown(window);
        const std::set<std::string> before = server.Pages();
        const int completed = server.CompletedJobs();
        TestSeams::AnswerPrinting(
            {true, weekFace ? "" : "orientation=landscape", true, "", server.queue});
        Simulate::Key(window, "Ctrl+P");
        FirePrintTimer(window);
        EXPECT_EQ(Shown(window), shown) << weekFace;
        EXPECT_TRUE(TestSeams::Dialogs().empty()) << TestSeams::Dialogs()[0].explanation;
        EXPECT_EQ(application.PrinterSetupString, kKept);

        server.WaitForQueue();
        EXPECT_EQ(server.CompletedJobs(), completed + 1);
        std::vector<std::string> added;
        std::ranges::set_difference(server.Pages(), before, std::back_inserter(added));
        ASSERT_EQ(added.size(), 1u) << weekFace;
        EXPECT_NE(server.Run("pdfinfo '" + added[0] + "'").find("Pages:           1\n"),
                  std::string::npos);
        // The queue prints a landscape page across upright A4 paper.
        const PicturePtr page = RenderedPage(server, added[0], environment.Home());
        ASSERT_TRUE(page);
        EXPECT_NEAR(page->Width(), kHeight, 2) << "upright A4";
        EXPECT_NEAR(page->Height(), kWidth, 2);
        // As large as the printable area allows with the window's proportions: the smaller of
        // the two ratios.
        const double scale = std::min((kWidth - 2 * kMargin) / window.Width(),
                                      (kHeight - 2 * kMargin) / window.Height());
        const PixelBounds ink = InkBounds(*page);
        EXPECT_NEAR(ink.left, kMargin, 3);
        EXPECT_NEAR(ink.top, kMargin, 3);
        EXPECT_NEAR(ink.bottom + 1 - ink.top, window.Width() * scale, 4) << weekFace;
        EXPECT_NEAR(ink.right + 1 - ink.left, window.Height() * scale, 4) << weekFace;
        EXPECT_EQ(StrongRed(*page), 0) << "today's ring";
    }
    ASSERT_EQ(TestSeams::PrintDialogs().size(), 4u);
    EXPECT_EQ(TestSeams::PrintDialogs()[2].setup, kKept) << "the second print starts from it";
}

// Nothing reaches the queue; the user hears why and the log has one line.
TEST_F(PrintServerTest, AQueueThatWillNotPrintOrAServerThatWentAwaySaysWhyAndTheWindowComesBack) {
    struct Case {
        const char* name;
        std::string prepare, restore; // commands
        bool serverGoes;
        std::string reason;
    };
    const std::string q = server.queue;
    for (const Case& c :
         {Case{"stopped", "cupsdisable -r 'Out of paper' " + q, "cupsenable " + q, false,
               "the printer " + q + " is stopped: Out of paper"},
          Case{"rejecting", "cupsreject -r 'Closed for the night' " + q, "cupsaccept " + q, false,
               "the printer " + q + " does not accept jobs: Closed for the night"},
          Case{"server gone", "", "", true, "the printer " + q + " did not take the job: "}}) {
        CalendarWindow& window = CalendarWindow::Instance();
        const std::vector<std::string> shown = Shown(window);
        const std::set<std::string> before = server.Pages();
        if (!c.prepare.empty()) server.Run(c.prepare);
        TestSeams::PrintAnswer answer{true, "", true, "", q};
        if (c.serverGoes) answer.afterPrintDialog = [&] { server.Stop(); };
        TestSeams::AnswerPrinting(answer);
        const size_t messages = TestSeams::Dialogs().size();
        Simulate::Key(window, "Ctrl+P");
        testing::internal::CaptureStderr();
        FirePrintTimer(window);
        const std::string log = testing::internal::GetCapturedStderr();
        if (c.serverGoes) server.Restart();
        if (!c.restore.empty()) server.Run(c.restore);

        ASSERT_EQ(TestSeams::Dialogs().size(), messages + 1) << c.name;
        const TestSeams::DialogRecord& message = TestSeams::Dialogs().back();
        EXPECT_EQ(message.message, "The calendar could not be printed.");
        EXPECT_EQ(message.explanation.substr(0, c.reason.size()), c.reason) << c.name;
        EXPECT_NE(log.find("calendar: the calendar could not be printed, " + message.explanation),
                  std::string::npos)
            << log;
        EXPECT_EQ(log.find("calendar: "), log.rfind("calendar: ")) << "one line: " << log;
        EXPECT_EQ(Shown(window), shown) << c.name;
        EXPECT_EQ(server.Lines("lpstat -o " + q), 0) << c.name << ": nothing waits to print";
        EXPECT_EQ(server.Pages(), before) << c.name;
        window.Close();
        DoEvents();
    }
}

namespace {

// The toolkit's own dialogs on the queue, as a desktop user meets them; once the calendar has
// opened, an event is added and Print chosen; the quit comes while the page set-up is open, or
// the print dialog after the page set-up's OK.
class PrintServerQuitTest : public AppTest {
  protected:
    PrintServerQuitTest() {
        environment.InstallEdition();
        application->SetMenuBar(&Menu::Instance());
        ApplicationAddMenuHandlers();
    }
    void SetUp() override {
        if (!server.skip.empty()) GTEST_SKIP() << "no print server: " << server.skip;
        setenv("CUPS_SERVER", server.socket.c_str(), 1);
    }

    void QuitInDialog(bool printDialog) {
        TestSeams::AnswerPrinting({.printer = server.queue, .showDialogs = true});
        const int watch = inotify_init1(IN_NONBLOCK);
        inotify_add_watch(watch, environment.Documents().c_str(), IN_MOVED_TO);
        bool printArmed = false, quitInPrintDialog = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (application->CalendarWindowOpen && !printArmed) {
                printArmed = true;
                application->eventDict.Value("2026-12-24 10:00:00", "2026-12-24 11:00:00//Party");
                Simulate::Key(CalendarWindow::Instance(), "Ctrl+P");
            }
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!qobject_cast<QPageSetupDialog*>(dialog) && !qobject_cast<QPrintDialog*>(dialog))
                return;
            if (printDialog && qobject_cast<QPageSetupDialog*>(dialog)) return dialog->accept();
            quitInPrintDialog = qobject_cast<QPrintDialog*>(dialog) != nullptr;
            poll.stop();
            std::raise(SIGTERM);
        });
        poll.start(50);
        EXPECT_EQ(Run(), 0);
        EXPECT_EQ(quitInPrintDialog, printDialog);
        // The event file is written by moving a new file over it: once, with the new event.
        int writes = 0;
        char events[4096];
        for (ssize_t n; (n = read(watch, events, sizeof events)) > 0;)
            for (char* p = events; p < events + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(p);
                writes += std::string(event->name) == "Calendar.tpc";
                p += sizeof(inotify_event) + event->len;
            }
        close(watch);
        EXPECT_EQ(writes, 1);
        EXPECT_NE(TestEnvironment::ReadFile(EventFile()).find("//Party"), std::string::npos);
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(server.Lines("lpstat -o " + server.queue), 0) << "nothing printed";
    }

    const PrintServer server = PrintServer::Read();
};

} // namespace

TEST_F(PrintServerQuitTest, ASIGTERMWhileThePageSetUpIsOpenEndsCleanlyAndSavesOnce) {
    QuitInDialog(false);
}

TEST_F(PrintServerQuitTest, ASIGTERMWhileThePrintDialogIsOpenEndsCleanlyAndSavesOnce) {
    QuitInDialog(true);
}
