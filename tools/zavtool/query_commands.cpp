// The commands that look at a radio without writing it: which radio it is, and what a
// write of a file would change in it.

#include <ostream>

#include "commands.h"
#include "files/file_system.h"
#include "model/document.h"
#include "ops/file_operations.h"
#include "ops/radio_queries.h"
#include "radio_session.h"

namespace zav::tool {

int identifyCommand(const Options& o, ToolIo& io) {
    RadioSession s(o, io, "identifying the radio");
    if (!s.startTrace()) return kExitFailed;
    RadioIdentity identity;
    const OperationResult result = identifyRadio(s.link(), identity);
    if (result.done())
        for (const std::string& line : identityLines(identity)) io.out << line << "\n";
    return s.report(result, "");
}

int compareCommand(const Options& o, ToolIo& io) {
    constexpr int kDifferent = 1;
    constexpr int kError = 2;
    RadioSession s(o, io, "reading the radio");
    DiskFileSystem disk;
    const auto file = loadFileBytes(disk, s.prompts(), o.argument, false);
    if (!file || !s.startTrace()) return kError;
    Document doc;
    file->copyTo(doc);
    std::vector<std::string> lines;
    const OperationResult result =
        compareWithRadio(s.link(), doc.mem, doc.labels,
                         o.labels ? LabelCompare::Include : LabelCompare::Skip, lines);
    if (s.report(result, "") != kExitDone) return kError;
    for (const std::string& line : lines) io.out << line << "\n";
    return lines.empty() ? kExitDone : kDifferent;
}

}  // namespace zav::tool
