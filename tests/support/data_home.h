#pragma once
// A test program's radio history goes to a folder of its own, removed when the program
// ends, never the user's: XDG_DATA_HOME names it for the program and every process it
// starts. Called before the program starts threads of its own (first by the window tests'
// environment, the editor fixture and the zavtool runners).

#include <stdlib.h>  // setenv

#include <string>

#include "support/temp_dir.h"

namespace zav::test {

inline std::string isolateDataHome() {
    static const TempDir home;
    static const bool set = ::setenv("XDG_DATA_HOME", home.path().c_str(), 1) == 0;
    return set ? home.path() : std::string();
}

}  // namespace zav::test
