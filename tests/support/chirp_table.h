#pragma once
// CHIRP tables as the tests write them (six rows of every kind a list holds), and a
// channel's texts as one line to compare.

#include <gtest/gtest.h>

#include <string>

#include "files/csv_table.h"
#include "model/document.h"

namespace zav::test {

// The six texts of group g's channel c joined by '|', the label without trailing blanks.
inline std::string channelLine(const Document& doc, int g, int c) {
    RowData texts = doc.group(g)->channel(c).display();
    texts[kColLabel].erase(texts[kColLabel].find_last_not_of(' ') + 1);
    std::string line = texts[kColRecFreq];
    for (int k = kColRecCG; k <= kColScan; ++k) line += "|" + texts[static_cast<std::size_t>(k)];
    return line;
}

// The channel shows `expected`, a channel line or its first fields.
inline void expectChannel(const Document& doc, int g, int c, std::string_view expected,
                          std::string_view where) {
    const std::string line = channelLine(doc, g, c);
    const auto fields = std::ranges::count(expected, '|') + 1;
    std::size_t end = 0;
    for (long k = 0; k < fields && end != std::string::npos; ++k)
        end = line.find('|', k == 0 ? 0 : end + 1);
    EXPECT_EQ(line.substr(0, end), expected) << where;
}

// The six kinds of channel a list holds, as CHIRP writes them.
inline const std::vector<CsvRecord> kSixRows{
    {"Location", "Name", "Frequency", "Duplex", "Offset", "Tone", "rToneFreq", "cToneFreq",
     "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "Skip"},
    {"40", "SIMPLEX", "450.012500", "", "0.600000", "Tone", "67.0", "88.5", "023", "NN", "023",
     "Tone->Tone", "FM", ""},
    {"41", "RPT UP", "440.000000", "+", "5.000000", "TSQL", "88.5", "100.0", "023", "NN", "023",
     "Tone->Tone", "FM", ""},
    {"42", "RPT DOWN", "455.500000", "-", "5.000000", "DTCS", "88.5", "88.5", "023", "NR", "754",
     "Tone->Tone", "NFM", ""},
    {"43", "SPLIT", "462.562500", "split", "467.562500", "Cross", "123.0", "88.5", "131", "NN",
     "023", "Tone->DTCS", "FM", ""},
    {"44", "LISTEN", "470.000000", "off", "0.000000", "", "88.5", "88.5", "023", "NN", "023",
     "Tone->Tone", "FM", ""},
    {"45", "QUIET", "480.125000", "", "0.000000", "", "88.5", "88.5", "023", "NN", "023",
     "Tone->Tone", "FM", "S"},
};
// The channels they are, as channelLine shows them.
inline const std::vector<std::string> kSixChannels{"450.01250||450.01250|067.0|SIMPLEX|Y",
                                                   "440.00000|100.0|445.00000|100.0|RPT UP|Y",
                                                   "455.50000|D754-|450.50000|D754|RPT DOWN|Y",
                                                   "462.56250|D131|467.56250|123.0|SPLIT|Y",
                                                   "470.00000||none||LISTEN|Y",
                                                   "480.12500||480.12500||QUIET|"};

// The records as a table with the given line ends, each row with one more empty cell
// than the header names when asked (as some exports write them).
inline std::string tableOf(std::vector<CsvRecord> records, std::string_view lineEnd,
                           bool extraCell) {
    std::string text;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (extraCell && i > 0) records[i].emplace_back();
        std::string line = formatCsvRecord(records[i]);
        text += line.substr(0, line.size() - 2) + std::string(lineEnd);
    }
    return text;
}

}  // namespace zav::test
