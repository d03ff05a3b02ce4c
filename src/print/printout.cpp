#include "print/printout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "model/document.h"
#include "model/globals.h"
#include "model/lists.h"

namespace zav {

namespace {

// The printout words the backlight timeout differently from the editor's list (lower
// case units), so it keeps its own texts.
constexpr auto kPrintBacklightTimeout =
    std::to_array<std::string_view>({"Always off", "1 second", "2 seconds", "3 seconds",
                                     "4 seconds", "5 seconds", "6 seconds", "Always On"});

// Tab columns.
constexpr int kHeadingTab = 9;
constexpr int kTextTab = 10;
constexpr int kBacklightTimeoutTab = 35;
// The channel table's header and data columns differ on purpose: the headers sit
// to the left of the data they name.
constexpr auto kHeaderTabs = std::to_array<int>({9, 16, 28, 38, 50, 60, 79});
constexpr auto kHeaderTexts = std::to_array<std::string_view>(
    {"Chan", "Rec Freq", "Rec CG", "Tx Freq", "Tx CG", "Label", "Scan"});
constexpr auto kDataTabs = std::to_array<int>({10, 16, 30, 40, 54, 64, 87});

constexpr int kTitleSize = 16;
constexpr int kHeadingSize = 12;
constexpr int kTextSize = 10;

std::string entry(lists::Entries list, int index) {
    return std::string(lists::entryOrEmpty(list, index));
}

// A number printed as a number: a blank in place of the sign and a trailing blank.
std::string printedNumber(int n) {
    return (n < 0 ? "-" : " ") + std::to_string(n < 0 ? -n : n) + " ";
}

// Builds lines the way a text printer is driven: a current font that stays in force
// until changed, and items placed at tabs along the current line.
class Composer {
  public:
    void font(int pointSize, bool bold) {
        size_ = pointSize;
        bold_ = bold;
    }
    void bold(bool on) { bold_ = on; }
    void size(int pointSize) { size_ = pointSize; }

    // Adds an item to the current line (tab 0: directly after the previous item).
    Composer& at(int tab, std::string text) {
        if (!open_) {
            lines_.push_back(PrintLine{size_, bold_, {}});
            open_ = true;
        }
        lines_.back().items.push_back(PrintItem{tab, std::move(text)});
        return *this;
    }
    Composer& then(std::string text) { return at(0, std::move(text)); }
    // Ends the current line; with no items, prints an empty line.
    void endLine() {
        if (!open_) lines_.push_back(PrintLine{size_, bold_, {}});
        open_ = false;
    }
    void line(int tab, std::string text) {
        at(tab, std::move(text));
        endLine();
    }

    Printout take() {
        if (open_) endLine();
        return std::move(lines_);
    }

  private:
    Printout lines_;
    int size_ = kTextSize;
    bool bold_ = false;
    bool open_ = false;
};

void composeGlobals(Composer& out, const MemImage& mem) {
    const GlobalParams g = readGlobalParams(mem);
    out.font(kHeadingSize, true);
    out.line(kHeadingTab, "Unit Global Data");
    out.font(kTextSize, false);
    out.line(kTextTab, "DTMF Dev = " + entry(lists::kDtmfDeviation, g.dtmfDev) +
                           "    Front Porch Time = " + entry(lists::kFrontPorch, g.porchTime) +
                           "    ANI Rate = " + entry(lists::kAniRate, g.aniRate) +
                           "    Priority Rate = " + entry(lists::kPriorityRate, g.priRate));
    out.line(kTextTab,
             "Unit Password = " + g.password +
                 "    Bank Scan = " + entry(lists::kBankScan, g.bankScan) +
                 "   Global Battery Saver = " + entry(lists::kGlobalBattSave, g.globalBat));
}

const char* onOrOff(bool on) {
    return on ? "On" : "Off";
}

const char* enabledOrLocked(bool locked) {
    return locked ? "Locked Out" : "Enabled";
}

// The group's header settings, four lines.
void composeGroupSettings(Composer& out, const GroupParams& p) {
    out.line(kTextTab, "Time Out Timer = " + entry(lists::kTimeOutTimer, p.tot) +
                           "      Scan Hold Time = " + entry(lists::kScanHold, p.scanHold));
    out.at(kTextTab, "Priority Channel: " + entry(lists::kPriorityChannel, p.priorityChannel) +
                         "      Priority Mode: " + entry(lists::kPriorityMode, p.priorityMode))
        .then("       Variable Code Guard is " + std::string(onOrOff(p.varCG != 0)));
    out.endLine();
    // The battery saver bit is set when the saver is off.
    out.line(kTextTab, "Battery Saver: " + std::string(onOrOff(p.battSave == 0)) +
                           "      Priority Key: " + enabledOrLocked(p.priKeyLock) +
                           "      'ENT' & 'CLR' Keys: " + enabledOrLocked(p.entClrLock));
    out.line(kTextTab, "Busy Channel Indicator: " + entry(lists::kBusyChannel, p.bci) +
                           "      Resident ANI/DTMF: " + entry(lists::kResidentAni, p.ani));
}

std::string backlightEvents(const Backlight& b) {
    using Event = std::pair<bool, std::string_view>;
    const std::array events{Event{b.channel, "Channel Change"},
                            Event{b.scanState, "Scan State Change"},
                            Event{b.other, "Other Display"}, Event{b.keypress, "Keypress"}};
    std::string text;
    for (const auto& [set, name] : events) {
        if (!set) continue;
        if (!text.empty()) text += ", ";
        text += name;
    }
    return text.empty() ? "nothing" : text;
}

void composeGroup(Composer& out, const Group& group) {
    out.endLine();
    out.font(kHeadingSize, true);
    out.line(kHeadingTab, "Group " + std::to_string(group.groupIndex() + 1) + " Data");
    out.font(kTextSize, false);

    const GroupParams params = group.read();
    out.at(kTextTab, "ANI/ID Number: " + params.id).then("      Group Label: " + params.groupLabel);
    out.endLine();
    composeGroupSettings(out, params);

    const Backlight bl = group.readGroupBacklight();
    out.at(kTextTab, "Alpha is ")
        .then(bl.alphaEnabled ? "Enabled" : "Disabled")
        .at(kBacklightTimeoutTab, "Backlight Timeout: ")
        .then(std::string(lists::entryOrEmpty(kPrintBacklightTimeout, bl.timeout)));
    out.endLine();
    out.at(kTextTab, "Backlight on ").then(backlightEvents(bl));
    out.endLine();

    out.endLine();
    out.bold(true);
    for (std::size_t i = 0; i < kHeaderTabs.size(); ++i)
        out.at(kHeaderTabs[i], std::string(kHeaderTexts[i]));
    out.endLine();
    out.bold(false);
    for (int c = 0; c < kChannelsPerGroup; ++c) {
        const RowData row = group.display(c);
        out.at(kDataTabs[0], printedNumber(c + 1));
        for (std::size_t col = 1; col < kDataTabs.size(); ++col) out.at(kDataTabs[col], row[col]);
        out.endLine();
    }
    out.endLine();
}

}  // namespace

std::string PrintLine::text() const {
    std::string s;
    for (const auto& item : items) s += item.text;
    return s;
}

Printout composeUnitData(const Document& doc, std::string_view printFileName) {
    // A file name may hold any byte but '/' and NUL: a line break or tab in it would
    // break the title line in two (or move it) on paper and in the text.
    std::string shownName(printFileName);
    std::ranges::replace_if(
        shownName, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    Composer out;
    out.font(kTitleSize, true);
    out.endLine();
    out.line(kTextTab, "ZAV Unit Data Printout    " + shownName);
    out.endLine();

    composeGlobals(out, doc.mem);
    out.endLine();

    for (int g = 0; g < kGroupCount; ++g) {
        if (const Group* group = doc.group(g)) composeGroup(out, *group);
    }
    return out.take();
}

std::string plainText(const Printout& printout) {
    std::string out;
    for (const PrintLine& line : printout) {
        std::string text;
        for (const PrintItem& item : line.items) {
            if (item.tab > 0) {
                const auto column = static_cast<std::size_t>(item.tab - 1);
                if (text.size() <= column)
                    text.resize(column, ' ');
                else
                    text += ' ';
            }
            text += item.text;
        }
        out += text;
        out += '\n';
    }
    return out;
}

}  // namespace zav
