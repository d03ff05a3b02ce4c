// The settings file as Qt reads it: any bytes as the INI file, read by every reader the
// editor has (settings_checks.h), and a value, any bytes, written under a key and read back
// exactly by a new store over the same file (a Latin-1 file name, a list-like text, a
// quoted one, "@Variant(...)" are texts like any other).
//
// Input: the file, a zero byte, then the value.

#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <fstream>
#include <string>

#include "files/settings.h"
#include "fuzz_check.h"
#include "qt/qt_settings_store.h"
#include "settings_checks.h"

using namespace zav;
using zav::fuzz::FuzzInput;
using zav::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string file = input.takeField();
    const std::string value = input.takeRest();
    static const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zavprog.ini"));
    std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << file;
    {
        QtSettingsStore store(path);
        zav::fuzz::checkSettingsReaders(store, {19200, 14400}, {9615, 7201});
        store.write("Fuzz", "Value", value);  // on disk when the store goes
    }
    const QtSettingsStore again(path);
    require(again.read("Fuzz", "Value", "missing") == value, "a value reads back exactly");
    return 0;
}
