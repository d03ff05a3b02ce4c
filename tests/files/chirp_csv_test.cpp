// CHIRP's generic CSV: rows as CHIRP's exports write them (either column of a pair, older
// exports' missing columns, untidy rows) come in as the radio's channels, where the
// mapping puts them; our export reads back to the same channels; a row the radio cannot
// hold is named and imports nothing, unless the others are to come in.

#include "files/chirp_csv.h"

#include <gtest/gtest.h>

#include "files/csv_table.h"
#include "model/document.h"
#include "support/chirp_table.h"
#include "support/csv_text.h"

namespace zav {
namespace {

using test::expectChannel;
using test::kSixChannels;
using test::kSixRows;
using test::tableOf;

ChirpImport importInto(Document& doc, std::string_view text, std::optional<int> group = {},
                       UnfitRows unfit = UnfitRows::Refuse) {
    return importChirpCsv(doc.mem, doc.labels, text, {group}, unfit);
}

// One row at Location 0, 450.0125 MHz: its other columns, their cells, and the channel's
// texts from Rec CG on (Rec Freq shows 450.01250), or the column refused.
struct RowCase {
    std::string columns, cells, shown;
};

TEST(ChirpCsv, RowsBecomeTheChannelsTheyDescribe) {
    // clang-format off
    const std::vector<RowCase> cases{
        {"Duplex,Offset", ",5.000000", "|450.01250|"}, {"Name,Skip,Mode", ",P,", "|450.01250|||"},
        {"Duplex,Offset", "-,0.600000", "|449.41250|"}, {"Duplex,Offset", "+,12.5", "|462.51250|"},
        {"Duplex,Offset", "split,455.000000", "|455.00000|"}, {"Duplex", "off", "|none|"},
        {"Tone,rToneFreq,cToneFreq", "Tone,67.0,88.5", "|450.01250|067.0"},
        {"Tone,rToneFreq,cToneFreq", "TSQL,88.5,100.0", "100.0|450.01250|100.0"},
        {"Tone,rToneFreq,cToneFreq", "TSQL,100.0,88.5", "100.0|450.01250|100.0"},
        {"Tone,rToneFreq,cToneFreq", "TSQL,100.0,100.0", "100.0|450.01250|100.0"},
        {"Tone,DtcsCode,RxDtcsCode,DtcsPolarity", "DTCS,023,754,RN", "D754|450.01250|D754-"},
        {"Tone,DtcsCode,DtcsPolarity", "DTCS,754,NR", "D754-|450.01250|D754"},
        {"Tone,rToneFreq,cToneFreq", "Cross,67.0,71.9", "071.9|450.01250|067.0"},
        {"Tone,CrossMode,rToneFreq,DtcsCode", "Cross,Tone->DTCS,67.0,131", "D131|450.01250|067.0"},
        {"Tone,CrossMode,DtcsCode,cToneFreq", "Cross,DTCS->Tone,131,71.9", "071.9|450.01250|D131"},
        {"Tone,CrossMode,DtcsCode,RxDtcsCode,DtcsPolarity", "Cross,DTCS->DTCS,131,023,RR",
         "D023-|450.01250|D131-"},
        {"Tone,CrossMode,DtcsCode", "Cross,DTCS->,131", "|450.01250|D131"},
        {"Tone,CrossMode,RxDtcsCode", "Cross,->DTCS,131", "D131|450.01250|"},
        {"Tone,CrossMode,cToneFreq", "Cross,->Tone,71.9", "071.9|450.01250|"},
        {"Name,Skip,Mode", "fire h.1,S,NFM", "|450.01250||FIRE h.1|"},
        {"Name,Tone,DtcsCode,DtcsPolarity", "PADDED         ,DTCS,,", "D023|450.01250|D023|PADDED"},
        // Refused: the column named.
        {"Tone,rToneFreq,cToneFreq", "TSQL,100.0,123.0", "cToneFreq"}, {"Tone", "DCS", "Tone"},
        {"Tone,DtcsCode,RxDtcsCode", "DTCS,754,131", "RxDtcsCode"}, {"Name", "FIRE@1", "Name"},
        {"Tone,DtcsCode", "DTCS,758", "DtcsCode"}, {"Tone,CrossMode", "Cross,Tone", "CrossMode"},
        {"Tone,rToneFreq", "Tone,800.0", "rToneFreq"}, {"Name", "NINECHARS", "Name"},
        {"Tone,DtcsPolarity", "DTCS,N", "DtcsPolarity"}, {"Duplex,Offset", "x,5", "Duplex"},
        {"Mode", "AM", "Mode"}, {"Skip", "Y", "Skip"}, {"Duplex,Offset", "+,5.0000001", "Offset"},
        {"Duplex,Offset", "-,451", "Offset"}, {"Duplex,Offset", "+,200", "Offset"}};
    // clang-format on
    for (const RowCase& c : cases) {
        const std::string text =
            "Location,Frequency," + c.columns + "\n0,450.012500," + c.cells + "\n";
        Document doc;
        const Document untouched;
        const ChirpImport result = importInto(doc, text);
        if (c.shown.find('|') == std::string::npos) {
            ASSERT_EQ(result.problems.size(), 1U) << text;
            EXPECT_EQ(std::tuple(result.problems[0].row, result.problems[0].column),
                      std::tuple(2, c.shown))
                << text << problemText(result.problems[0]);
            EXPECT_TRUE(!result.imported && doc.mem == untouched.mem &&
                        doc.labels == untouched.labels);
            continue;
        }
        ASSERT_TRUE(result.imported && result.problems.empty())
            << text << problemText(result.problems.at(0));
        expectChannel(doc, 0, 0, "450.01250|" + c.shown, text);
    }
}

TEST(ChirpCsv, AListGoesIntoAGroupAndComesBackWhereOurExportPutsIt) {
    const std::string plain = tableOf(kSixRows, "\r\n", false);
    for (const std::string& table :
         {plain, tableOf(kSixRows, "\n", true), test::replaced(plain, ",", ";"),
          test::utf16Bytes(plain, test::Utf16Order::LittleEndian)}) {
        Document doc;
        const Document untouched;
        const ChirpImport result = importInto(doc, table, 1);
        ASSERT_TRUE(result.imported && result.problems.empty())
            << problemText(result.problems.at(0));
        EXPECT_EQ(result.channels, 6);
        for (int c = 0; c < kChannelsPerGroup; ++c) {
            const bool listed = c < static_cast<int>(kSixChannels.size());
            expectChannel(doc, 1, c, listed ? kSixChannels[c] : test::channelLine(untouched, 1, c),
                          "group 2");
            expectChannel(doc, 0, c, test::channelLine(untouched, 0, c), "group 1");
        }
        // Exported, the six are at Locations 14 to 19, and come back there.
        const std::string exported = exportChirpCsv(doc.mem, doc.labels);
        const auto records = *parseCsv(exported);
        ASSERT_EQ(records.size(), 7U) << exported;
        EXPECT_EQ(std::tuple(records[1][0], records[6][0]), std::tuple("14", "19"));
        Document again;
        EXPECT_TRUE(importInto(again, exported).imported);
        EXPECT_TRUE(again.mem == doc.mem && again.labels == doc.labels) << exported;
    }
}

// A row out of the radio's band is named, and nothing comes in; left out, the others do.
TEST(ChirpCsv, AnUnfitRowStopsTheImportOrIsLeftOut) {
    auto records = kSixRows;
    records[3][2] = "146.520000";
    for (const UnfitRows unfit : {UnfitRows::Refuse, UnfitRows::Skip}) {
        Document doc;
        const Document untouched;
        const ChirpImport result = importInto(doc, tableOf(records, "\r\n", false), 1, unfit);
        ASSERT_EQ(result.problems.size(), 1U);
        const bool skip = unfit == UnfitRows::Skip;
        EXPECT_EQ(
            std::tuple(problemText(result.problems[0]).substr(0, 28), result.imported,
                       doc.mem == untouched.mem && doc.labels == untouched.labels, result.channels),
            std::tuple("row 4, Frequency: 146.520000", skip, !skip, skip ? 5 : 0));
        if (!skip) continue;
        for (int c = 0; c < 5; ++c)
            expectChannel(doc, 1, c, kSixChannels[c + (c >= 2)], "left out");
    }
}

}  // namespace
}  // namespace zav
