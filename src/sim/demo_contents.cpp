#include "sim/demo_contents.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "model/document.h"
#include "sim/label_memory.h"
#include "sim/sim_radio.h"
#include "sim/synthesizer.h"

namespace zav {

namespace {

struct DemoChannel {
    std::string_view rx, rxCG, tx, txCG, label;
    bool scan;
};

struct DemoGroup {
    int group;  // 0..14
    std::string_view label;
    std::array<DemoChannel, 6> channels;
};

// A small fleet: dispatch, fire and maintenance banks, each with a repeater pair or two,
// a talk-around channel and the usual code guards.
constexpr std::array<DemoGroup, 3> kDemoGroups{{
    {0,
     "DISPATCH",
     {{{"451.02500", "100.0", "456.02500", "100.0", "DISP 1", true},
       {"451.05000", "100.0", "456.05000", "100.0", "DISP 2", true},
       {"451.07500", "D023", "456.07500", "D023", "CAR-CAR", true},
       {"451.10000", "", "451.10000", "", "TALKARND", false},
       {"452.32500", "127.3", "457.32500", "127.3", "TAC 1", false},
       {"452.35000", "D754-", "457.35000", "D754-", "TAC 2", false}}}},
    {1,
     "FIRE",
     {{{"453.45000", "156.7", "458.45000", "156.7", "FIRE 1", true},
       {"453.47500", "156.7", "458.47500", "156.7", "FIRE 2", true},
       {"453.50000", "167.9", "458.50000", "167.9", "FIREGRND", true},
       {"453.52500", "", "453.52500", "", "FIRE TA", false},
       {"460.01250", "D245", "465.01250", "D245", "MUTUAL", false},
       {"460.03750", "", "465.03750", "", "EMS", true}}}},
    {2,
     "MAINT",
     {{{"461.11250", "067.0", "466.11250", "067.0", "ROADS", true},
       {"461.13750", "067.0", "466.13750", "067.0", "WATER", true},
       {"462.16250", "082.5", "467.16250", "082.5", "PARKS", false},
       {"462.18750", "", "462.18750", "", "YARD", false},
       {"463.21250", "D131", "468.21250", "D131", "SHOP", false},
       {"463.23750", "", "468.23750", "", "SPARE", false}}}},
}};

}  // namespace

DemoContents demoContents() {
    Document doc;  // the default image: all groups present with their default labels
    for (const DemoGroup& dg : kDemoGroups) {
        Group* group = doc.group(dg.group);
        if (group == nullptr) continue;
        group->writeGroupLabel(dg.label);
        group->writeTotScan(4, 4);  // 60 s time-out, 2.0 s scan hold
        group->writeIdNum(std::string("12345") + std::to_string(dg.group + 1) + "0");
        for (std::size_t c = 0; c < dg.channels.size(); ++c) {
            const DemoChannel& ch = dg.channels[c];
            Channel& channel = group->channel(static_cast<int>(c));
            channel.setRecFreq(ch.rx);
            channel.setRecCG(ch.rxCG);
            channel.setTxFreq(ch.tx);
            channel.setTxCG(ch.txCG);
            channel.setLabel(ch.label);
            channel.setScan(ch.scan ? "Y" : "");
        }
    }
    DemoContents contents;
    contents.mem = doc.mem;
    contents.labels = doc.labels;
    return contents;
}

namespace sim {

void loadDemoRadio(SimRadio& radio) {
    const DemoContents contents = demoContents();
    std::copy_n(contents.mem.begin(), radio.memory().size(), radio.memory().begin());
    radio.labels() = labelMemoryFromImage(contents.labels);
    setBandData(radio.memory());
}

}  // namespace sim

}  // namespace zav
