#include "files/file_open_save.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include "files/frequency_file.h"
#include "files/settings.h"
#include "files/startup.h"
#include "support/scripted_prompts.h"
#include "temp_dir.h"

namespace zav {
namespace {

class RecordingEditor final : public FileEditorHooks {
  public:
    void commitShownGroup() override { ++commits; }
    void afterOpen() override { ++opens; }
    void setCaption(const std::string& c) override { caption = c; }
    int commits = 0;
    int opens = 0;
    std::string caption = "unchanged";
};

// A disk whose writes fail with the given system error.
class FullDisk final : public FileSystem {
  public:
    ReadResult readFile(const std::string& path, std::size_t maxBytes) override {
        return disk.readFile(path, maxBytes);
    }
    std::error_code replaceFile(const std::string&, std::span<const Byte>) override {
        return {ENOSPC, std::generic_category()};
    }
    DiskFileSystem disk;
};

class FileOpenSaveTest : public ::testing::Test {
  protected:
    FileOpenSaveTest() {
        std::mt19937 gen(4);
        for (auto& b : image) b = static_cast<Byte>(gen());
        for (auto& b : labels) b = static_cast<Byte>(gen());
        originalImage = image;
        originalLabels = labels;
    }

    FileOpenSave flows(FileSystem& fs) {
        return FileOpenSave(prompts, settings, fs, image, labels, editor);
    }

    // A valid file whose image and labels differ from the editor's.
    std::string validFile(const std::string& name) {
        MemImage otherImage{};
        LabelImage otherLabels{};
        otherImage.fill(0x5A);
        otherLabels.fill(0xC3);
        const auto path = dir.file(name);
        test::writeBytes(path, encodeFrequencyFile(otherImage, otherLabels));
        return path;
    }

    void expectEditorUntouched() {
        EXPECT_EQ(image, originalImage);
        EXPECT_EQ(labels, originalLabels);
        EXPECT_EQ(editor.opens, 0);
        EXPECT_EQ(editor.caption, "unchanged");
    }

    test::TempDir dir;
    test::ScriptedPrompts prompts;
    MemorySettingsStore settings;
    DiskFileSystem disk;
    RecordingEditor editor;
    MemImage image{};
    LabelImage labels{};
    MemImage originalImage{};
    LabelImage originalLabels{};
};

TEST_F(FileOpenSaveTest, DialogRequestCarriesFilterAndCurrentName) {
    auto f = flows(disk);
    f.setNames({"C:/radios/old.frq", "", ""});
    f.openCommand();
    f.saveAsCommand();
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    const FileDialogMode modes[] = {FileDialogMode::Open, FileDialogMode::Save};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& r = prompts.fileRequests[i];
        EXPECT_EQ(r.mode, modes[i]);
        EXPECT_EQ(r.fileName, "C:/radios/old.frq");
        EXPECT_EQ(r.filter,
                  "Frequency (*.frq)|*.frq|RXT (*.rxt)|*.rxt|RXW (*.rxw)|*.rxw|All (*.*)|*.*");
        EXPECT_EQ(r.filterIndex, 0);
        EXPECT_EQ(r.defaultPattern, "*.frq");
    }
}

TEST_F(FileOpenSaveTest, CancelledDialogsChangeNothing) {
    // Start-up remembered a last file; cancelled dialogs must not make the first Save
    // write over it without asking.
    const auto last = dir.file("keep.frq");
    auto f = flows(disk);
    f.setNames({last, "", ""});
    f.saveAsCommand();
    f.openCommand();
    f.saveCommand();
    EXPECT_EQ(prompts.fileRequests.size(), 3u);
    EXPECT_EQ(f.names().fileName, last);
    EXPECT_EQ(f.names().prevFileName, "");
    EXPECT_EQ(dir.entryCount(), 0u);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(editor.commits, 0);
    EXPECT_FALSE(settings.contains("File", "LastOpen"));
    expectEditorUntouched();
}

TEST_F(FileOpenSaveTest, OpenReplacesImageAndLaterSaveNeedsNoDialog) {
    const auto path = validFile("opened.frq");
    auto f = flows(disk);
    prompts.queueFile(path);
    f.openCommand();

    EXPECT_TRUE(prompts.messages.empty());
    MemImage expectedImage{};
    expectedImage.fill(0x5A);
    LabelImage expectedLabels{};
    expectedLabels.fill(0xC3);
    EXPECT_EQ(image, expectedImage);
    EXPECT_EQ(labels, expectedLabels);
    EXPECT_EQ(editor.opens, 1);
    EXPECT_EQ(editor.caption, "UHF File - " + path + " - ZAVPROG");
    EXPECT_EQ(readLastOpen(settings), path);
    EXPECT_EQ(f.names().fileName, path);
    EXPECT_EQ(f.names().prevFileName, path);
    EXPECT_EQ(f.names().printFileName, path);

    image[300] = 0x42;  // an edit
    f.saveCommand();
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(editor.commits, 1);
    const auto saved = test::readBytes(path);
    const auto expected = encodeFrequencyFile(image, labels);
    EXPECT_EQ(saved, std::vector<Byte>(expected.begin(), expected.end()));
}

TEST_F(FileOpenSaveTest, FirstSaveAfterStartupOffersTheLastFile) {
    const auto last = dir.file("last.frq");
    settings.write("File", "LastOpen", last);
    auto f = flows(disk);
    f.setNames(startupFile("", settings).names);
    EXPECT_EQ(editor.caption, "unchanged");  // remembered, not loaded

    prompts.queueFile(last);
    f.saveCommand();
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(prompts.fileRequests[0].mode, FileDialogMode::Save);
    EXPECT_EQ(prompts.fileRequests[0].fileName, last);
    EXPECT_EQ(test::readBytes(last).size(), 4025u);
    EXPECT_EQ(editor.caption, "UHF File - " + last + " - ZAVPROG");

    f.saveCommand();  // the second one writes straight away
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(editor.commits, 2);
}

TEST_F(FileOpenSaveTest, MissingFileGivesErrorFiftyThreeAndAccessMessage) {
    auto f = flows(disk);
    f.setNames({"before.frq", "", ""});
    prompts.queueFile(dir.file("absent.frq"));
    f.openCommand();

    ASSERT_EQ(prompts.messages.size(), 2u);
    const auto& first = prompts.messages[0];
    EXPECT_EQ(first.text, "Error Number 53!\rFile not found");
    EXPECT_EQ(first.title, "File Error");
    EXPECT_EQ(first.icon, Icon::Exclamation);
    const auto& second = prompts.messages[1];
    EXPECT_EQ(second.text, "File Access Error!");
    EXPECT_EQ(second.shownTitle(), "ZAVPROG");
    EXPECT_EQ(second.icon, Icon::None);
    EXPECT_EQ(f.names().fileName, "before.frq");
    EXPECT_FALSE(settings.contains("File", "LastOpen"));
    expectEditorUntouched();
}

TEST_F(FileOpenSaveTest, OtherOpenErrorsGiveOneMessage) {
    auto f = flows(disk);
    prompts.queueFile(dir.file("nofolder/x.frq"));
    prompts.queueFile(dir.path().string());  // a folder
    f.openCommand();
    f.openCommand();
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{"Error Number 76!\rPath not found",
                                        "Error Number 75!\rPath/File access error"}));
    expectEditorUntouched();
}

TEST_F(FileOpenSaveTest, InvalidFilesAreRefusedAndChangeNothing) {
    const auto good = encodeFrequencyFile(MemImage{}, LabelImage{});
    auto wrongFormat = good;
    wrongFormat[49] = 0x55;
    auto wrongMagic = good;
    wrongMagic[0] = 'm';
    struct Case {
        const char* name;
        std::vector<Byte> bytes;
    };
    const std::vector<Case> cases{
        {"format.frq", {wrongFormat.begin(), wrongFormat.end()}},
        {"magic.frq", {wrongMagic.begin(), wrongMagic.end()}},
        {"short.frq", {good.begin(), good.end() - 1}},
        {"header-only.frq", {good.begin(), good.begin() + 56}},
        {"empty.frq", {}},
    };
    for (const auto& c : cases) {
        const auto path = dir.file(c.name);
        test::writeBytes(path, c.bytes);
        auto f = flows(disk);
        f.setNames({"previous.frq", "", "print.frq"});
        prompts.messages.clear();
        prompts.queueFile(path);
        f.openCommand();
        ASSERT_EQ(prompts.messages.size(), 1u) << c.name;
        EXPECT_EQ(prompts.messages[0].text, "File " + path + " is not a valid ZAV frequency file.");
        EXPECT_EQ(prompts.messages[0].title, "File Error");
        EXPECT_EQ(prompts.messages[0].icon, Icon::Exclamation);
        EXPECT_EQ(f.names().fileName, "previous.frq") << c.name;
        EXPECT_EQ(f.names().printFileName, "print.frq") << c.name;
        expectEditorUntouched();
    }
}

TEST_F(FileOpenSaveTest, SpareHeaderBytesDoNotMatter) {
    const auto path = validFile("spare.frq");
    auto bytes = test::readBytes(path);
    for (std::size_t i = 50; i < 56; ++i) bytes[i] = 0xFF;
    test::writeBytes(path, bytes);
    auto f = flows(disk);
    f.setNames({path, "", ""});
    EXPECT_TRUE(f.openFile());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(image[0], 0x5A);
}

TEST_F(FileOpenSaveTest, FailedSaveReportsAndKeepsOldFileAndName) {
    const auto path = validFile("target.frq");
    const auto before = test::readBytes(path);
    FullDisk full;
    auto f = flows(full);
    f.setNames({"current.frq", "current.frq", "current.frq"});
    prompts.queueFile(path);
    f.saveAsCommand();

    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Error Number 61!\rDisk full"});
    EXPECT_EQ(prompts.messages[0].title, "File Error");
    EXPECT_EQ(f.names().fileName, "current.frq");
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_EQ(editor.commits, 1);
    EXPECT_EQ(editor.caption, "unchanged");
    EXPECT_FALSE(settings.contains("File", "LastOpen"));
}

TEST_F(FileOpenSaveTest, SaveIntoMissingFolderReportsPathNotFound) {
    auto f = flows(disk);
    prompts.queueFile(dir.file("gone/x.frq"));
    f.saveAsCommand();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Error Number 76!\rPath not found"});
    EXPECT_EQ(f.names().fileName, "");
    EXPECT_EQ(dir.entryCount(), 0u);
}

TEST_F(FileOpenSaveTest, AfterAFailedOpenOrSaveTheNextSaveStillAsks) {
    const auto last = dir.file("last.frq");
    const auto bad = dir.file("bad.frq");
    test::writeBytes(bad, std::vector<Byte>(10, 0));
    auto f = flows(disk);
    f.setNames({last, "", ""});
    prompts.queueFile(dir.file("gone/x.frq"));
    f.saveCommand();  // fails: path not found
    prompts.queueFile(bad);
    f.openCommand();  // fails: not valid
    EXPECT_EQ(f.names().fileName, last);
    EXPECT_EQ(f.names().prevFileName, "");

    f.saveCommand();  // asks again (and is cancelled)
    EXPECT_EQ(prompts.fileRequests.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(last));
}

TEST_F(FileOpenSaveTest, SavedFileOpensToTheSameImage) {
    const auto path = dir.file("same.frq");
    auto f = flows(disk);
    prompts.queueFile(path);
    f.saveAsCommand();
    ASSERT_TRUE(prompts.messages.empty());

    const MemImage saved = image;
    const LabelImage savedLabels = labels;
    image.fill(0);
    labels.fill(0);
    prompts.queueFile(path);
    f.openCommand();
    EXPECT_EQ(image, saved);
    EXPECT_EQ(labels, savedLabels);
}

}  // namespace
}  // namespace zav
