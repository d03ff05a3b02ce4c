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
int newCommand(const Args& args);
int readGlobalCommand(const Args& args);
int writeGlobalCommand(const Args& args);
int readCommand(const Args& args);
int readGroupCommand(const Args& args);
int writeCommand(const Args& args);
int writeGroupCommand(const Args& args);
int readLabelsCommand(const Args& args);
int writeLabelsCommand(const Args& args);
int dumpCommand(const Args& args);
int printCommand(const Args& args);
int syncalCommand(const Args& args);
int dtmfCommand(const Args& args);

}  // namespace zav::tool
