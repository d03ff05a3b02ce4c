#pragma once
// The radio's band against the channels a write sends: a channel outside the band can
// never lock, so a write that would send one stops before its first byte and asks (the
// editor), or fails naming each such channel (the command line, a fleet radio).

#include <optional>
#include <string>
#include <vector>

#include "model/memory_image.h"
#include "model/radio_band.h"

namespace zav {

class RadioLink;

// Which frequency of a channel.
enum class ChannelFrequency : std::uint8_t { Receive, Transmit };

// One frequency outside the band: group and channel from 1, the frequency as the grid
// shows it ("420.00000").
struct OutOfBand {
    int group = 0;
    int channel = 0;
    ChannelFrequency which = ChannelFrequency::Receive;
    std::string mhz;

    friend bool operator==(const OutOfBand&, const OutOfBand&) = default;
};

// Every receive and transmit frequency of the channels of `groups` (1..15) outside the
// band's edges; "none" is no frequency.
std::vector<OutOfBand> channelsOutOfBand(const MemImage& image, const std::vector<int>& groups,
                                         const RadioBand& band);

// "group 1, channel 2: receive frequency 420.00000 MHz".
std::string outOfBandText(const OutOfBand& f);

// The question before such a write, naming the band and the channels (the first twelve,
// then how many more).
std::string outOfBandQuestion(const std::vector<OutOfBand>& found, const RadioBand& band);

// The band bytes with two word reads at 4800 baud, in a connection of their own that is
// released at its end; nullopt when the radio was not read (a port or hook failure has
// been told, and so has a read that broke off).
std::optional<BandBytes> readBandBytes(RadioLink& link);

}  // namespace zav
