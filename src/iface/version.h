#pragma once
#include <string>

namespace zav {

struct Version {
    int major;
    int minor;
    int revision;
};

// The program's version, from the build.
Version programVersion();

// "Version " and the three numbers as plain decimals joined by points: 1.1.5.
std::string versionText(const Version& v);

}  // namespace zav
