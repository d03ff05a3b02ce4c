#include "line_time.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace zav::bench {

namespace {

constexpr double kBitsPerByte = 10;
// The link's in-step check: the quiet time it waits for after an answer's last byte.
constexpr double kCheckMs = 20;
// The radio's clock and the host's differ by the pseudo-terminal's hand-over.
constexpr double kCheckToleranceMs = 0.5;

double byteMs(int baud) {
    return baud > 0 ? 1000.0 * kBitsPerByte / baud : 0.0;
}

std::optional<LineByte> parseLine(const std::string& line) {
    LineByte b;
    std::array<char, 16> direction{};
    unsigned sent = 0;
    int used = 0;
    if (std::sscanf(line.c_str(), "%lf ms %15s %x%n", &b.arrivalMs, direction.data(), &sent,
                    &used) != 3)
        return std::nullopt;
    b.toRadio = std::string_view(direction.data()) == "host->radio";
    b.value = static_cast<std::uint8_t>(sent);
    std::string_view rest = std::string_view(line).substr(static_cast<std::size_t>(used));
    if (rest.starts_with("  lost")) {
        b.lost = true;
        rest.remove_prefix(6);
    } else {
        unsigned received = 0;
        int receiverBaud = 0;
        int more = 0;
        const std::string tail(rest);
        if (std::sscanf(tail.c_str(), " as %x %d/%d baud%n", &received, &b.baud, &receiverBaud,
                        &more) != 3)
            return std::nullopt;
        rest.remove_prefix(static_cast<std::size_t>(more));
    }
    if (rest.starts_with("  ")) rest.remove_prefix(2);
    b.note = std::string(rest);
    return b;
}

bool noted(const LineByte& b, std::string_view start) {
    return b.note.starts_with(start);
}

// The pause before each of the host's bytes that the procedure prescribes, in ms,
// counted from the later of the previous byte sent and the last answer taken.
std::vector<double> connectionPauses(const std::vector<const LineByte*>& host,
                                     Procedure procedure) {
    const std::size_t n = host.size();
    std::vector<double> pause(n, 0.0);
    const auto add = [&](std::size_t i, double ms) {
        if (i < n) pause[i] += ms;
    };
    const auto firstNoted = [&](std::string_view start, std::size_t from = 0) {
        for (std::size_t i = from; i < n; ++i)
            if (noted(*host[i], start)) return i;
        return n;
    };
    // Answers that came between two of the host's bytes.
    const auto answersBetween = [&](const LineByte* from, const LineByte* to) {
        int count = 0;
        for (const LineByte* b = from + 1; b < to; ++b) count += !b->toRadio && !b->lost;
        return count;
    };

    for (std::size_t k = 3; k < n; ++k) {
        // The switch of the line speed: 150 ms before the register write, 30 and 25 ms
        // between its bytes, 10 + 10 ms around the port's own switch, and 25 ms after each
        // byte drained before the probe.
        if (!noted(*host[k], "RAM write 0D")) continue;
        add(k - 3, 150);
        add(k - 1, 30);
        add(k, 25);
        if (k + 1 < n) add(k + 1, 20 + 25.0 * answersBetween(host[k], host[k + 1]));
    }
    const bool writes = procedure == Procedure::WriteRadio || procedure == Procedure::WriteBlock;
    const auto release = [&](std::size_t k) { return k < n && host[k]->value == 0x01; };
    // A write's attempt starts with two releases and 500 ms before the hook; the band
    // check's connection may come first, its own release just before them.
    if (writes) {
        for (std::size_t k = 0; k + 2 < n; ++k) {
            if (release(k) && release(k + 1) && !release(k + 2)) {
                add(k + 2, 500);
                break;
            }
        }
    }
    if (procedure == Procedure::WriteRadio) {
        // 200 ms between the release after the global settings and the fast hook.
        for (std::size_t k = 0; k + 1 < n; ++k)
            if (noted(*host[k], "release") && !release(k + 1)) add(k + 1, 200);
    }
    if (procedure == Procedure::ReadBlock || procedure == Procedure::WriteBlock) {
        // 500 ms before the block's first word, after the group's status read if any.
        const std::size_t hook = firstNoted("hook");
        const bool statusRead = hook + 2 < n && noted(*host[hook + 2], "read word 05");
        add(hook + (statusRead ? 3 : 1), 500);
    }
    if (procedure == Procedure::ReadLabels || procedure == Procedure::WriteLabels) {
        std::size_t lastFrame = n;
        for (std::size_t k = 4; k < n; ++k) {
            if (noted(*host[k], "register")) {
                add(k - 3, 2);
                add(k - 2, 2);
                add(k - 1, 5);
                add(k, 5);
                add(k + 1, 50);
            } else if (noted(*host[k], "label write")) {
                add(k - 2, 4);
                add(k - 1, 5);
                add(k, 5);
                add(k + 1, 7);  // after the echo
                lastFrame = k;
            } else if (noted(*host[k], "label read")) {
                lastFrame = k;
            } else if (noted(*host[k], "end of label program")) {
                add(k, 10);
            }
        }
        if (lastFrame < n) add(lastFrame + 1, 300);
    }
    if (procedure == Procedure::Syncal) add(firstNoted("release") + 1, 1000);
    return pause;
}

// The first byte after the release that follows the last of the bytes noted `end` from
// `from` on: where the next connection starts.
std::size_t afterEnd(const std::vector<const LineByte*>& host, std::string_view end,
                     std::size_t from) {
    for (std::size_t k = from; k < host.size(); ++k)
        if (noted(*host[k], end) && (k + 1 == host.size() || !noted(*host[k + 1], end)))
            return std::min(k + 2, host.size());
    return host.size();
}

std::vector<double> prescribedPauses(const std::vector<const LineByte*>& host,
                                     Procedure procedure) {
    const auto written = [&] {
        switch (procedure) {
            case Procedure::BackedUpWriteRadio:
                return std::optional(Procedure::WriteRadio);
            case Procedure::BackedUpWriteBlock:
                return std::optional(Procedure::WriteBlock);
            case Procedure::BackedUpWriteLabels:
                return std::optional(Procedure::WriteLabels);
            default:
                return std::optional<Procedure>();
        }
    }();
    if (!written) return connectionPauses(host, procedure);
    const bool labels = procedure == Procedure::BackedUpWriteLabels;
    const std::size_t read = afterEnd(host, "end of read program", 0);
    const std::size_t write = labels ? afterEnd(host, "end of label program", read) : read;
    std::vector<double> pause;
    const auto part = [&](std::size_t from, std::size_t to, Procedure p) {
        const auto pauses = connectionPauses({host.begin() + static_cast<std::ptrdiff_t>(from),
                                              host.begin() + static_cast<std::ptrdiff_t>(to)},
                                             p);
        pause.insert(pause.end(), pauses.begin(), pauses.end());
    };
    part(0, read, Procedure::ReadRadio);
    part(read, write, Procedure::ReadLabels);
    part(write, host.size(), *written);
    return pause;
}

// The bytes' arrivals when the conversation is replayed at the line's pace (see
// lineTimeMinimum); with `checks`, a host byte that waited for an in-step check in the
// real conversation waits for it in the replay too, and `checks` counts them.
double replay(const std::vector<LineByte>& bytes, const std::vector<double>& pause, int* checks) {
    std::vector<double> at(bytes.size(), 0.0);
    double queued = 0;     // when the host's previous byte was handed to the port
    double hostFree = 0;   // when the host's wire is free
    double radioFree = 0;  // when the radio's wire is free
    double end = 0;
    std::size_t hostIndex = 0;
    std::optional<std::size_t> lastRadio;  // the latest answer
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const LineByte& b = bytes[i];
        const double wire = byteMs(b.baud);
        if (b.toRadio) {
            // It waits for the answers that had come before it went on the wire.
            double after = hostIndex == 0 ? 0.0 : queued;
            for (std::size_t j = i; j-- > 0;) {
                const LineByte& a = bytes[j];
                if (a.toRadio || a.lost) continue;
                if (a.arrivalMs <= b.arrivalMs - wire) {
                    after = std::max(after, at[j]);
                    break;
                }
            }
            const double prescribed = pause[hostIndex++];
            queued = after + prescribed;
            // A check counts from the answer's last byte; a prescribed pause as long
            // covers it. Only a quiet gap after an answer shows one.
            if (checks != nullptr && prescribed < kCheckMs && lastRadio && *lastRadio + 1 == i &&
                b.arrivalMs - wire - bytes[*lastRadio].arrivalMs >= kCheckMs - kCheckToleranceMs) {
                queued = std::max(queued, at[*lastRadio] + kCheckMs);
                ++*checks;
            }
            at[i] = std::max(queued, hostFree) + wire;
            hostFree = at[i];
        } else {
            if (b.lost) continue;
            // It answers the last host byte that had arrived when it left, after the
            // radio's own reply time, and behind the answer before it.
            const double left = b.arrivalMs - wire;
            double trigger = 0;
            double triggerReplay = 0;
            for (std::size_t j = i; j-- > 0;) {
                if (bytes[j].toRadio && bytes[j].arrivalMs <= left + 1e-6) {
                    trigger = bytes[j].arrivalMs;
                    triggerReplay = at[j];
                    break;
                }
            }
            const double before = lastRadio ? bytes[*lastRadio].arrivalMs : 0.0;
            const double reply = std::max(0.0, left - std::max(trigger, before));
            at[i] = std::max(triggerReplay, radioFree) + reply + wire;
            radioFree = at[i];
            lastRadio = i;
        }
        end = std::max(end, at[i]);
    }
    return end;
}

}  // namespace

std::optional<std::vector<LineByte>> readTranscript(std::istream& in) {
    std::vector<LineByte> bytes;
    std::string line;
    while (std::getline(in, line)) {
        auto b = parseLine(line);
        if (!b) return std::nullopt;
        bytes.push_back(std::move(*b));
    }
    return bytes;
}

LineTime lineTimeMinimum(const std::vector<LineByte>& bytes, Procedure procedure) {
    std::vector<const LineByte*> host;
    for (const LineByte& b : bytes)
        if (b.toRadio) host.push_back(&b);
    const std::vector<double> pause = prescribedPauses(host, procedure);

    LineTime result;
    for (const double p : pause) result.pausesMs += p;
    for (const LineByte& b : bytes) {
        result.hostBytes += b.toRadio;
        result.radioBytes += !b.toRadio && !b.lost;
        result.connections += b.toRadio && b.note == "hook";
    }
    result.minimumMs = replay(bytes, pause, nullptr);
    result.checksMs = replay(bytes, pause, &result.checks) - result.minimumMs;
    return result;
}

}  // namespace zav::bench
