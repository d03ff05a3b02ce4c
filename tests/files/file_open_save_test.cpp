#include "files/file_open_save.h"

#include <gtest/gtest.h>

#include "files/frequency_file.h"
#include "files/settings.h"
#include "files/startup.h"
#include "model/document.h"
#include "ops/file_operations.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

class FileOpenSaveTest : public ::testing::Test, public FileEditorHooks {
  protected:
    FileOpenSaveTest() {
        image.fill(0x33);
        other.fill(0x5A);
    }
    void commitShownGroup() override { ++commits; }
    void afterOpen() override { ++opens; }
    void setCaption(const std::string& c) override { caption = c; }

    void expectEditorUntouched() {
        EXPECT_EQ(std::tuple(image[0], opens, caption, settings.contains("File", "LastOpen")),
                  std::tuple(0x33, 0, "", false));
    }

    test::TempDir dir;
    test::ScriptedPrompts prompts;
    MemorySettingsStore settings;
    DiskFileSystem disk;
    MemImage image{};
    MemImage other{};
    LabelImage labels{};
    int commits = 0;
    int opens = 0;
    std::string caption;
    FileOpenSave flows{prompts, settings, disk, image, labels, *this};
};

TEST_F(FileOpenSaveTest, OpenThenSaveWithoutAskingAgain) {
    const auto path = dir.file("opened.frq");  // a valid file unlike the editor's image
    const auto valid = encodeFrequencyFile(other, labels);
    std::vector<Byte> file(valid.begin(), valid.end());
    std::fill_n(file.begin() + kFileHeaderCheckedSize, 6, 0xA5);  // the header's free bytes
    file.resize(kFrequencyFileReadLimit, 0x77);  // the longest tail after the labels
    test::writeBytes(path, file);
    const auto toolPath = dir.file("tool.frq");
    test::writeBytes(toolPath, file);
    flows.setNames({"C:/radios/old.frq", "", ""});
    prompts.queueFile(path);
    flows.openCommand();
    const FileDialogRequest& r = prompts.fileRequests.at(0);
    EXPECT_EQ(
        std::tie(r.mode, r.fileName, r.filter, r.filterIndex, r.defaultPattern),
        std::tuple(FileDialogMode::Open, "C:/radios/old.frq", kFileFilter, 0, kFileDefaultPattern));
    EXPECT_EQ(std::tuple(prompts.messages.size(), image, opens, caption, readLastOpen(settings)),
              std::tuple(0U, other, 1, "UHF File - " + path + " - ZAVPROG", path));
    EXPECT_EQ(
        std::tie(flows.names().fileName, flows.names().prevFileName, flows.names().printFileName),
        std::tie(path, path, path));

    image[300] = 0x42;  // an edit
    flows.saveCommand();
    EXPECT_EQ(std::pair(prompts.fileRequests.size(), commits), std::pair(std::size_t{1}, 1));
    // Only the edited byte changed, and zavtool saves the same edit of the same file alike.
    file[kFileImageOffset + 300] = 0x42;
    EXPECT_EQ(test::readBytes(path), file);
    auto tool = loadFileBytes(disk, prompts, toolPath, false);
    ASSERT_TRUE(tool);
    Document doc;
    tool->copyTo(doc);
    doc.mem[300] = 0x42;
    tool->copyFrom(doc);
    ASSERT_TRUE(saveFileBytes(disk, prompts, toolPath, *tool));
    EXPECT_EQ(test::readBytes(toolPath), file);
    EXPECT_TRUE(flows.saveFile());
}

TEST_F(FileOpenSaveTest, FirstSaveAfterStartUpAsksWithTheLastFile) {
    const auto last = dir.file("last.frq");
    settings.write("File", "LastOpen", last);
    flows.setNames(startupFile("", settings).names);
    // Cancelled dialogs change nothing, and the next Save still asks.
    flows.saveAsCommand();
    flows.openCommand();
    flows.saveCommand();
    EXPECT_EQ(std::tuple(prompts.fileRequests.size(), std::filesystem::is_empty(dir.path()),
                         commits, prompts.messages.size()),
              std::tuple(3U, true, 0, 0U));
    prompts.queueFile(last);
    flows.saveCommand();
    ASSERT_EQ(prompts.fileRequests.size(), 4u);
    EXPECT_EQ(std::tie(prompts.fileRequests[3].mode, prompts.fileRequests[3].fileName),
              std::tuple(FileDialogMode::Save, last));
    EXPECT_EQ(caption, "UHF File - " + last + " - ZAVPROG");
    flows.saveCommand();  // the second one writes straight away
    EXPECT_EQ(std::pair(prompts.fileRequests.size(), commits), std::pair(std::size_t{4}, 2));
}

TEST_F(FileOpenSaveTest, FailedOpensAreReportedAndChangeNothing) {
    const auto valid = encodeFrequencyFile(other, labels);
    auto bad = valid;
    bad[0] = 'm';
    test::writeBytes(dir.file("magic.frq"), bad);
    std::vector<Byte> tooLong(valid.begin(), valid.end());
    tooLong.resize(kFrequencyFileReadLimit + 1);  // saving only its start would cut it
    test::writeBytes(dir.file("long.frq"), tooLong);
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {dir.file("absent.frq"), {"Error Number 53!\rFile not found", "File Access Error!"}},
        {dir.file("gone/x.frq"), {"Error Number 76!\rPath not found"}},
        {dir.path(), {"Error Number 75!\rPath/File access error"}},
        {dir.file("magic.frq"),
         {"File " + dir.file("magic.frq") + " is not a valid ZAV frequency file."}},
        {dir.file("long.frq"),
         {"File " + dir.file("long.frq") + " is not a valid ZAV frequency file."}}};
    for (const auto& [path, texts] : cases) {
        flows.setNames({"previous.frq", "", "print.frq"});
        prompts.messages.clear();
        prompts.queueFile(path);
        EXPECT_FALSE(flows.chooseFile(FileDialogMode::Open) && flows.openFile());
        EXPECT_EQ(prompts.texts(), texts);
        EXPECT_EQ(
            std::tuple(prompts.messages[0].title, prompts.messages[0].icon,
                       prompts.messages.back().shownTitle(), flows.names().fileName,
                       flows.names().printFileName),
            std::tuple("File Error", Icon::Exclamation,
                       texts.size() == 2 ? "ZAVPROG" : "File Error", "previous.frq", "print.frq"));
        expectEditorUntouched();
        test::ScriptedPrompts tool;  // zavtool reads the same way and says the same
        EXPECT_FALSE(loadFileBytes(disk, tool, path, false));
        EXPECT_EQ(tool.texts().at(0), texts[0]);
    }
}

TEST_F(FileOpenSaveTest, FailedSavesAreReportedAndKeepTheName) {
    flows.setNames({"current.frq", "current.frq", "current.frq"});
    prompts.queueFile(dir.path());  // a folder
    EXPECT_FALSE(flows.chooseFile(FileDialogMode::Save) && flows.saveFile());
    EXPECT_EQ(std::tuple(flows.names().fileName, commits), std::tuple("current.frq", 1));

    const auto last = dir.file("last.frq");
    flows.setNames({last, "", ""});
    prompts.queueFile(dir.file("gone/x.frq"));
    flows.saveCommand();
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"Error Number 75!\rPath/File access error",
                                                         "Error Number 76!\rPath not found"}));
    EXPECT_EQ(prompts.messages[1].title, "File Error");
    // The detail names the file, then the system's reason.
    EXPECT_TRUE(prompts.messages[1].detail.starts_with("File: " + dir.file("gone/x.frq") + "\n"))
        << prompts.messages[1].detail;
    EXPECT_EQ(std::tuple(flows.names().fileName, flows.names().prevFileName), std::tuple(last, ""));
    flows.saveCommand();  // asks again (and is cancelled)
    EXPECT_EQ(std::tuple(prompts.fileRequests.size(), std::filesystem::is_empty(dir.path())),
              std::tuple(3U, true));
    expectEditorUntouched();
}

}  // namespace
}  // namespace zav
