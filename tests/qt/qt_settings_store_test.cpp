#include "qt/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "files/settings.h"

namespace zav {
namespace {

// Texts come back exactly from a new instance, and a hand-edited file gives the defaults
// where a number is expected, with a comma read as text rather than as a list.
TEST(QtSettingsStore, KeepsTextsExactlyAndReadsNumbersSafely) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zavprog.ini"));
    const std::vector<std::string> values{"",
                                          "C:\\Radios\\Unit, spare;1.frq",
                                          "\"quoted\" = value",
                                          "/tmp/gr\xC3\xBC\xC3\x9F"
                                          "e.frq",
                                          "  padded  ",
                                          "@Variant(junk)"};
    {
        QtSettingsStore store(path);
        for (std::size_t i = 0; i < values.size(); ++i)
            store.write("File", "Key" + std::to_string(i), values[i]);
    }
    const QtSettingsStore store(path);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(store.read("File", "Key" + std::to_string(i), "missing"), values[i]) << i;
    std::ofstream(path.toStdString())
        << "[Comm]\nPort=two\n[Features]\nLabel=1,5\n[File]\nLastOpen=/a,b.frq\n";
    const QtSettingsStore edited(path);
    EXPECT_EQ(readPort(edited), 1);
    EXPECT_EQ(readLabelSetting(edited), 2);
    EXPECT_EQ(readLastOpen(edited), "/a,b.frq");
}

}  // namespace
}  // namespace zav
