#pragma once
// CHIRP tables as the tests write them, and a channel's texts as one line to compare.

#include <gtest/gtest.h>

#include <string>

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

}  // namespace zav::test
