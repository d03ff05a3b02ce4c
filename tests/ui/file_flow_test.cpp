#include <fstream>
#include <iterator>
#include <vector>

#include "editor_fixture.h"
#include "files/startup.h"

namespace zav::test {
namespace {

std::vector<unsigned char> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

constexpr std::size_t kImage = 56;     // file offset of image byte 0
constexpr std::size_t kLabels = 2105;  // file offset of the label block

// The edited first channel of group 1 reaches the file byte for byte.
TEST(FileFlow, SavedChannelEditsReachTheFile) {
    TempDir dir;
    Editor e;
    e.typeInCell(0, kColRecFreq, "450.0125");
    e.typeInCell(0, kColRecCG, "67.0");
    e.typeInCell(0, kColTxFreq, "455.0125");
    e.typeInCell(0, kColTxCG, "D023-");
    e.typeInCell(0, kColLabel, "AB.C");
    e.typeInCell(0, kColScan, "Y");
    const std::string path = dir.file("acceptance.frq");
    e.prompts.queueFile(path);
    e.window->files().saveCommand();

    const auto bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 4025u);
    const std::vector<unsigned char> record(bytes.begin() + kImage + 144,
                                            bytes.begin() + kImage + 152);
    EXPECT_EQ(record, (std::vector<unsigned char>{0x50, 0x02, 0x06, 0x70, 0x55, 0x02, 0xC8, 0x13}));
    EXPECT_EQ(bytes[kImage + 129] & 0x01, 0x01);
    const unsigned char label[] = {0x14, 0x17, 0x18, 0x60, 0x60, 0x60, 0x60, 0x60};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(bytes[kLabels + labelIndex(0, 0, k)], label[k]) << k;
    EXPECT_EQ(e.window->windowTitle().toStdString(), FileOpenSave::captionFor(path));
    EXPECT_EQ(e.settings.read("File", "LastOpen", ""), path);
}

TEST(FileFlow, SaveThenReopenShowsTheSameValues) {
    TempDir dir;
    const std::string path = dir.file("round.frq");
    {
        Editor e;
        e.selectGroup(4);
        e.window->controls().bciCombo->setCurrentIndex(2);
        e.typeInCell(5, kColRecFreq, "512.5375");
        e.typeInCell(5, kColLabel, "ROUND");
        e.prompts.queueFile(path);
        e.window->files().saveAsCommand();
    }
    Editor e;
    e.prompts.queueFile(path);
    e.window->files().openCommand();
    EXPECT_EQ(e.window->controls().currentGroupCombo->currentText(), "1");
    e.selectGroup(4);
    EXPECT_EQ(e.window->controls().bciCombo->currentIndex(), 2);
    EXPECT_EQ(e.cell(5, kColRecFreq), "512.53750");
    EXPECT_EQ(e.cell(5, kColLabel), "ROUND   ");
    // Opening counts as unchanged: closing asks nothing.
    e.window->show();
    EXPECT_TRUE(e.window->close());
    EXPECT_TRUE(e.prompts.messages.empty());
}

TEST(FileFlow, CommandLineRxtFileIsOpenedAtStartUp) {
    TempDir dir;
    const std::string path = dir.file("radio.RxT");
    {
        Editor e;
        e.typeInCell(2, kColLabel, "CMDLINE");
        e.prompts.queueFile(path);
        e.window->files().saveAsCommand();
    }
    Editor e;
    const StartupFileResult start = startupFile(path, e.settings);
    ASSERT_TRUE(start.openAtStart);
    e.window->files().setNames(start.names);
    ASSERT_TRUE(e.window->files().openFile());
    EXPECT_EQ(e.cell(2, kColLabel), "CMDLINE ");
    EXPECT_EQ(e.window->windowTitle().toStdString(), FileOpenSave::captionFor(path));
}

TEST(FileFlow, RememberedFileIsOfferedButNotLoaded) {
    Editor e;
    e.settings.write("File", "LastOpen", "/tmp/last.frq");
    const StartupFileResult start = startupFile("", e.settings);
    EXPECT_FALSE(start.openAtStart);
    e.window->files().setNames(start.names);
    EXPECT_EQ(e.window->windowTitle(), "ZAVPROG");
    e.window->files().saveCommand();  // asks, with the remembered name
    ASSERT_EQ(e.prompts.fileRequests.size(), 1u);
    EXPECT_EQ(e.prompts.fileRequests[0].fileName, "/tmp/last.frq");
}

}  // namespace
}  // namespace zav::test
