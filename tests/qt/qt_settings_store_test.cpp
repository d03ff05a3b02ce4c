#include "qt/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "files/settings.h"

namespace zav {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
  protected:
    QString iniPath() const { return dir.filePath(QStringLiteral("zavprog.ini")); }
    QTemporaryDir dir;
};

TEST_F(QtSettingsStoreTest, MissingKeysGiveTheFallbackAndDefaults) {
    ASSERT_TRUE(dir.isValid());
    const QtSettingsStore store(iniPath());
    EXPECT_EQ(store.read("File", "LastOpen", "fallback"), "fallback");
    EXPECT_EQ(readPort(store), 1);
    EXPECT_EQ(readLabelSetting(store), 2);
    EXPECT_EQ(readLastOpen(store), "");
}

TEST_F(QtSettingsStoreTest, TextsSurviveExactlyAcrossInstances) {
    ASSERT_TRUE(dir.isValid());
    const std::vector<std::string> values{
        "",
        "/home/user/radios/unit 7.frq",
        "C:\\Radios\\Unit, spare;1.frq",
        "\"quoted\" = value",
        "/tmp/gr\xC3\xBC\xC3\x9F"
        "e/\xE6\x97\xA5\xE6\x9C\xAC.frq",
        "  leading and trailing  ",
        "@Variant(junk)",
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        QtSettingsStore store(iniPath());
        store.write("File", "Key" + std::to_string(i), values[i]);
    }
    const QtSettingsStore reopened(iniPath());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(reopened.read("File", "Key" + std::to_string(i), "missing"), values[i]) << i;
}

TEST_F(QtSettingsStoreTest, TypedSettingsRoundTrip) {
    ASSERT_TRUE(dir.isValid());
    {
        QtSettingsStore store(iniPath());
        writePort(store, 3);
        writeLabelSetting(store, 0);
        writeGroupWindowPlacement(store, WindowState::Normal, {120, 240, 9000, 6000.5});
    }
    const QtSettingsStore store(iniPath());
    EXPECT_EQ(readPort(store), 3);
    EXPECT_EQ(readLabelSetting(store), 0);
    const auto g = readGroupWindowGeometry(store, {}, {});
    EXPECT_EQ(g.top, 120);
    EXPECT_EQ(g.left, 240);
    EXPECT_EQ(g.width, 9000);
    EXPECT_EQ(g.height, 6000.5);
}

TEST_F(QtSettingsStoreTest, HandEditedFileGivesDefaultsWhereNumbersAreExpected) {
    ASSERT_TRUE(dir.isValid());
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Comm]\nPort=two\n[Features]\nLabel=1,5\n[File]\nLastOpen=/a,b.frq\n");
    file.close();
    const QtSettingsStore store(iniPath());
    EXPECT_EQ(readPort(store), 1);
    EXPECT_EQ(readLabelSetting(store), 2);
    EXPECT_EQ(readLastOpen(store), "/a,b.frq");
}

TEST_F(QtSettingsStoreTest, UserStoreLivesUnderTheApplicationName) {
    ASSERT_TRUE(dir.isValid());
    // Redirect the per-user location so the test never touches the real user's settings.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    {
        QtSettingsStore store;
        writeLastOpen(store, "/data/unit.frq");
    }
    const QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "ZAVPROG", "ZAVPROG");
    EXPECT_TRUE(raw.fileName().startsWith(dir.path())) << raw.fileName().toStdString();
    EXPECT_EQ(raw.value("File/LastOpen").toString(), QStringLiteral("/data/unit.frq"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace
}  // namespace zav
