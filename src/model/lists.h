#pragma once
// The fixed entries of every parameter list. A parameter is stored as the index of its
// entry; the windows fill their lists from here and the printout prints the entries.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "iface/shown_text.h"

namespace zav::lists {

using Entries = std::span<const std::string_view>;

// Time-out timer (seconds), group header byte 2 bits 0-3.
inline constexpr auto kTimeOutTimer =
    std::to_array<std::string_view>({"OFF", "15", "30", "45", "60", "75", "90", "105", "120", "135",
                                     "150", "165", "180", "195", "210", "225"});

// Scan hold time (seconds), group header byte 2 bits 4-7.
inline constexpr auto kScanHold =
    std::to_array<std::string_view>({"0.0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0",
                                     "4.5", "5.0", "5.5", "6.0", "6.5", "7.0", "7.5"});

// Priority channel: channel numbers as the user sees them.
inline constexpr auto kPriorityChannel = std::to_array<std::string_view>(
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"});

// Priority mode buttons in the order shown.
inline constexpr auto kPriorityMode = std::to_array<std::string_view>({"A", "B", "C", "D"});

// Busy channel indicator, group header byte 4 bits 6-7.
inline constexpr auto kBusyChannel = std::to_array<std::string_view>(
    {"OFF", shownText("Lists", "Indicate"), shownText("Lists", "Override"),
     shownText("Lists", "Lockout")});

// Resident ANI/DTMF, group header byte 4 bits 4-5.
inline constexpr auto kResidentAni = std::to_array<std::string_view>(
    {"OFF", shownText("Lists", "DTMF Only"), shownText("Lists", "ANI Only"),
     shownText("Lists", "DTMF w/ manual ANI")});

// Backlight timeout, backlight byte bits 1-3.
inline constexpr auto kBacklightTimeout = std::to_array<std::string_view>(
    {shownText("Lists", "Always Off"), shownText("Lists", "1 Second"),
     shownText("Lists", "2 Seconds"), shownText("Lists", "3 Seconds"),
     shownText("Lists", "4 Seconds"), shownText("Lists", "5 Seconds"),
     shownText("Lists", "6 Seconds"), shownText("Lists", "Always On")});

// Priority rate (seconds), global byte 119 bits 3-6.
inline constexpr auto kPriorityRate =
    std::to_array<std::string_view>({"0", ".25", ".5", ".75", "1", "1.25", "1.5", "1.75", "2",
                                     "2.25", "2.5", "2.75", "3", "3.25", "3.5", "3.75"});

// Global battery saver (index = 1 - stored bit) and bank scan.
inline constexpr auto kGlobalBattSave = std::to_array<std::string_view>(
    {shownText("Lists", "Disabled"), shownText("Lists", "Enabled")});
inline constexpr auto kBankScan = std::to_array<std::string_view>(
    {shownText("Lists", "Disabled"), shownText("Lists", "Enabled")});

// Single-tone DTMF deviation (Hz), global byte 111 bits 3-7: 0, then 187.5 Hz steps with
// one decimal (a leading blank below 1000), then four test settings.
inline constexpr auto kDtmfDeviation =
    std::to_array<std::string_view>({"0",
                                     " 187.5",
                                     " 375.0",
                                     " 562.5",
                                     " 750.0",
                                     " 937.5",
                                     "1125.0",
                                     "1312.5",
                                     "1500.0",
                                     "1687.5",
                                     "1875.0",
                                     "2062.5",
                                     "2250.0",
                                     "2437.5",
                                     "2625.0",
                                     "2812.5",
                                     "3000.0",
                                     "3187.5",
                                     "3375.0",
                                     "3562.5",
                                     "3750.0",
                                     "3937.5",
                                     "4125.0",
                                     "4312.5",
                                     "4500.0",
                                     "4687.5",
                                     "4875.0",
                                     "5062.5",
                                     shownText("Lists", "Test 1"),
                                     shownText("Lists", "Test 2"),
                                     shownText("Lists", "Test 3"),
                                     shownText("Lists", "Test 4")});

// ANI character rate (characters per second), global byte 111 bit 2.
inline constexpr auto kAniRate = std::to_array<std::string_view>({"10", "20"});

// Front porch time (milliseconds), global byte 111 bits 0-1.
inline constexpr auto kFrontPorch = std::to_array<std::string_view>({"0", "330", "660", "990"});

// Entry `index` of a list, or an empty text when the index is outside it.
constexpr std::string_view entryOrEmpty(Entries list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size()
               ? list[static_cast<std::size_t>(index)]
               : std::string_view{};
}

}  // namespace zav::lists
