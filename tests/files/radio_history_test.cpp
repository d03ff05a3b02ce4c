// The radio history's folder and names: where it lives, what a name tells back, copies
// listed newest first, a taken name never replaced, and a full disk leaving no file.

#include "files/radio_history.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/document.h"
#include "support/history.h"

namespace zav {
namespace {

struct Variables final : Environment, std::map<std::string, std::string> {
    [[nodiscard]] std::optional<std::string> variable(const std::string& name) const override {
        return contains(name) ? std::optional(at(name)) : std::nullopt;
    }
};

TEST(RadioHistory, LivesInTheUsersDataFolder) {
    for (const auto& [data, folder] : {std::pair{"/data", "/data/zavprog"},
                                       {"relative", "/home/u/.local/share/zavprog"},
                                       {"", "/home/u/.local/share/zavprog"}}) {
        Variables environment;
        environment["HOME"] = "/home/u";
        if (*data != '\0') environment["XDG_DATA_HOME"] = data;
        EXPECT_EQ(historyFolder(environment), folder) << data;
    }
}

TEST(RadioHistory, KeepsEveryCopyUnderANameOfItsOwnNewestFirst) {
    test::History h;
    Document doc;
    doc.group(0)->writeIdNum("2001");
    h.disk.full = true;
    EXPECT_TRUE(h.store.keep(HistoryReason::Read, "/dev/ttyUSB0", doc.mem, doc.labels).error);
    h.disk.full = false;
    const std::string stem = h.dir.path() + "/2026-12-08T091502-ttyUSB0-0002001";
    const std::pair<HistoryReason, std::string> copies[] = {
        {HistoryReason::Read, stem + ".frq"},
        {HistoryReason::BeforeWriteLabels, stem + "-before-write-labels.frq"},
        {HistoryReason::Read, stem + "_2.frq"},
        {HistoryReason::ReadGroup, stem + "-read-group.frq"}};
    for (const auto& [reason, path] : copies) {
        const KeptCopy copy = h.store.keep(reason, "/dev/ttyUSB0", doc.mem, doc.labels);
        EXPECT_EQ(std::pair(copy.path, copy.error), std::pair(path, std::error_code()));
    }
    for (const auto& kept : h.kept()) EXPECT_EQ(kept.image, doc.mem);
    for (const char* other : {"notes.frq", "20x6-12-08T091502-ttyUSB0-0002001.frq"})
        test::writeBytes(h.dir.file(other), std::vector<Byte>{1});
    std::error_code ec;
    const std::vector<HistoryEntry> listed = h.store.entries(ec);
    ASSERT_EQ(listed.size(), 4U);  // the files that are none are left out
    EXPECT_EQ(listed[0], (HistoryEntry{"2026-12-08 09:15:02", "ttyUSB0", "0002001",
                                       HistoryReason::Read, 2, stem + "_2.frq"}));
    std::set<std::string> reasons;  // copies of one second in no particular order
    for (const HistoryEntry& e : listed) reasons.insert(historyReasonText(e.reason));
    EXPECT_EQ(reasons, (std::set<std::string>{"read", "read group", "before write labels"}));
}

}  // namespace
}  // namespace zav
