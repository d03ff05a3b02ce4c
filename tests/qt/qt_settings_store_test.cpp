#include "qt/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <fstream>

#include "files/settings.h"

namespace zav {
namespace {

// A comma in a hand-edited file is read as text rather than as a list: the label setting
// falls back to its default. (Every text written comes back exactly from a new instance,
// whatever the file held: the settings_file fuzz target, whose corpus holds Latin-1,
// list-like, quoted and "@Variant" texts.)
TEST(QtSettingsStore, ReadsAHandEditedFileSafely) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zavprog.ini"));
    std::ofstream(path.toStdString()) << "[Features]\nLabel=1,5\n[File]\nLastOpen=/a,b.frq\n";
    const QtSettingsStore edited(path);
    EXPECT_EQ(readLabelSetting(edited), LabelSetting::Prompt);
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
