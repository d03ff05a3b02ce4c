#pragma once
// zavtool's commands. Each command lives in its own file and is listed once in the
// table in main.cpp.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zav::tool {

using Args = std::vector<std::string>;  // the words after the command name

struct Command {
    std::string_view name;
    std::string_view usage;    // arguments, shown by --help
    std::string_view summary;  // one line, shown by --help
    int (*run)(const Args& args);
};

// Declared here, defined in the command's file.
int cmdNew(const Args& args);
int cmdReadGlobal(const Args& args);
int cmdWriteGlobal(const Args& args);
int cmdRead(const Args& args);
int cmdReadGroup(const Args& args);
int cmdWrite(const Args& args);
int cmdWriteGroup(const Args& args);
int cmdReadLabels(const Args& args);
int cmdWriteLabels(const Args& args);
int cmdDump(const Args& args);
int cmdPrint(const Args& args);
int cmdSyncal(const Args& args);
int cmdDtmf(const Args& args);

}  // namespace zav::tool
