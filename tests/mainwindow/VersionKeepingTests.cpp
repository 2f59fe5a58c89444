// Another program's version of the event file is kept by keeping its very file, so that a writer
// that pauses finishes into it; one change tells all its copies in one message.
#include "mainwindow/WeekFaceFixture.h"

#include "platform/TestSeams.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;
using TestSeams::FileCall;
using TestSeams::WriteMoment;

namespace {
// Every file of the folder that holds a calendar's text: the event file and the copies beside it.
std::vector<std::string> Texts(const fs::path& folder) {
    std::vector<std::string> texts;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".tpc")
            texts.push_back(TestEnvironment::ReadFile(entry.path()));
    return texts;
}

std::string Theirs(int number) {
    return "0\tTheirs " + std::to_string(number) + "\n" + std::string(2000, 'x') +
           "\nEvents Data:\n";
}

void AddRow(CalendarWindow& window, const std::string& text) {
    window.TodoList->AddRow();
    window.TodoList->SetCell(window.TodoList->LastIndex(), 1, text);
    window.TodoList_Change();
}
} // namespace

// A script writing line by line, a slow download: the file written in place in pieces with pauses
// longer than a save waits for it to settle, while a change is confirmed. Its finished text is in
// a file afterwards, byte for byte, and the calendar's own is the event file.
TEST_F(WeekFaceTest, AWriterThatPausesFinishesIntoTheKeptFile) {
    const fs::path documents = environment.Documents(), file = documents / "Calendar.tpc";
    const std::string text = Theirs(1);
    std::thread writer;
    // Truncates the file and writes its first piece at once, the rest a pause apart.
    const auto write = [&] {
        auto out = std::make_shared<std::ofstream>(file, std::ios::trunc | std::ios::binary);
        const size_t piece = text.size() / 4 + 1;
        *out << text.substr(0, piece) << std::flush;
        writer = std::thread([out, piece, &text] {
            for (size_t at = piece; at < text.size(); at += piece) {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                *out << text.substr(at, piece) << std::flush;
            }
        });
    };
    const struct {
        const char* name;
        std::optional<WriteMoment> moment; // none: before the save
        std::vector<FileCall> lacking;     // what the file system has not
    } cases[] = {
        {"from before the save", {}, {}},
        {"from before the late look", WriteMoment::BeforeTheLateLook, {}},
        {"from the rename on", WriteMoment::AfterTheLastLook, {}},
        {"from the rename on, without renames that never replace",
         WriteMoment::AfterTheLastLook,
         {FileCall::RenameWithoutReplacing}},
        {"from before the save, without renames that never replace nor links",
         {},
         {FileCall::RenameWithoutReplacing, FileCall::LinkFile}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartFromEventFile("0\tMine\nEvents Data:\n");
        CalendarWindow& window = Window();
        for (const FileCall call : c.lacking)
            TestSeams::FailFileCalls(call, 1000, call == FileCall::LinkFile ? EPERM : EINVAL);
        c.moment ? TestSeams::AtNextWriteMoment(*c.moment, write) : write();
        const size_t told = Messages().size();
        AddRow(window, "Added");
        FinishSaving(window);
        writer.join();
        window.Close();
        EXPECT_EQ(EventFile(), "0\tMine\n0\tAdded\nEvents Data:\n");
        EXPECT_EQ(std::ranges::count(Texts(documents), text), 1);
        EXPECT_EQ(Messages().size(), told + 1);
        TestSeams::FailFileCalls(FileCall::RenameWithoutReplacing, 0);
        TestSeams::FailFileCalls(FileCall::LinkFile, 0);
    }
}

// One change written twice (the to-do item changed again while its first write ran), each write
// meeting a version of another program: one message names both copies.
TEST_F(WeekFaceTest, OneMessageNamesEveryCopyOfOneChange) {
    const fs::path documents = environment.Documents(), file = documents / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "0\tMine\nEvents Data:\n");
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    const auto replace = [&](int number) {
        TestEnvironment::WriteFile(documents / "theirs.tmp", Theirs(number));
        fs::rename(documents / "theirs.tmp", file);
    };
    replace(1);
    TestSeams::AtNextWriteMoment(WriteMoment::AfterTheRename, [&] { replace(2); });
    const size_t told = Messages().size();
    AddRow(window, "Added");
    window.TodoList->SetCell(window.TodoList->LastIndex(), 1, "Added again");
    window.TodoList_Change();
    FinishSaving(window);
    EXPECT_EQ(EventFile(), "0\tMine\n0\tAdded again\nEvents Data:\n");
    ASSERT_EQ(Messages().size(), told + 1);
    int named = 0;
    for (const auto& entry : fs::directory_iterator(documents))
        if (entry.path().filename().string().find("changed outside") != std::string::npos) {
            ++named;
            EXPECT_NE(Messages().back().find(entry.path().string()), std::string::npos);
        }
    EXPECT_EQ(named, 2);
}
