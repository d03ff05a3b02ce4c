#include "qt/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <fstream>

#include "files/settings.h"

namespace zav {
namespace {

// Texts come back exactly from a new instance, and a comma in a hand-edited file is read
// as text rather than as a list: the label setting falls back to its default.
TEST(QtSettingsStore, KeepsTextsExactlyAndReadsNumbersSafely) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zavprog.ini"));
    const std::vector<std::string> values{"",
                                          "C:\\Radios\\Unit, spare;1.frq",
                                          "\"quoted\" = value",
                                          "/tmp/gr\xC3\xBC\xC3\x9F.frq",
                                          "/tmp/caf\xE9.frq",  // Latin-1, not UTF-8
                                          "  padded  ",
                                          "@Variant(junk)"};
    for (std::size_t i = 0; i < values.size(); ++i)  // each store writes its file when it goes
        QtSettingsStore(path).write("File", "Key" + std::to_string(i), values[i]);
    const QtSettingsStore store(path);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(store.read("File", "Key" + std::to_string(i), "missing"), values[i]) << i;
    std::ofstream(path.toStdString()) << "[Features]\nLabel=1,5\n[File]\nLastOpen=/a,b.frq\n";
    const QtSettingsStore edited(path);
    EXPECT_EQ(readLabelSetting(edited), 2);
    EXPECT_EQ(readLastOpen(edited), "/a,b.frq");
}

// In a running program a value is on disk once the event that wrote it has been handled,
// without waiting for the store to go.
TEST(QtSettingsStore, StoresWritesOnceTheEventIsHandled) {
    int argc = 1;
    char* argv[] = {const_cast<char*>("test_qt"), nullptr};
    const QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zavprog.ini"));
    QtSettingsStore store(path);
    writeLastOpen(store, "/radios/bench.frq");
    QCoreApplication::processEvents();
    EXPECT_EQ(readLastOpen(QtSettingsStore(path)), "/radios/bench.frq");
}

}  // namespace
}  // namespace zav
