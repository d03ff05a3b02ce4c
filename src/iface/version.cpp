#include "iface/version.h"

namespace zav {

Version programVersion() {
    return {ZAV_VERSION_MAJOR, ZAV_VERSION_MINOR, ZAV_VERSION_PATCH};
}

std::string versionText(const Version& v) {
    return "Version " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision);
}

}  // namespace zav
