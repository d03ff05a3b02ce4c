#pragma once
// Looking at a connected radio without writing it: which radio it is (its band, groups,
// unit numbers and password; zavtool identify) and what a write of a file would change
// in it (zavtool compare). Each is one connection, released at its end; port, hook and
// read failures are told.

#include <optional>
#include <string>
#include <vector>

#include "model/memory_image.h"
#include "model/radio_band.h"
#include "ops/operation_result.h"

namespace zav {

class RadioLink;

struct RadioIdentity {
    std::optional<RadioBand> band;  // nullopt: the band bytes are blank or out of range
    struct GroupId {
        int group = 0;       // 1..15
        std::string unitId;  // the group's ANI/ID number, 7 hexadecimal digits
    };
    std::vector<GroupId> groups;  // the groups present, in order
    bool passwordSet = false;     // neither 000000 nor erased (FFFFFF)
};

// What a radio's memory says of it.
RadioIdentity identityOf(const MemImage& radio);

// The identity as lines: the band, each group with its unit number, the password.
std::vector<std::string> identityLines(const RadioIdentity& identity);

// Reads what an identity needs (word reads in one connection, released at its end) and
// tells who the radio is.
OperationResult identifyRadio(RadioLink& link, RadioIdentity& identity);

// Whether the labels are compared too.
enum class LabelCompare : std::uint8_t { Skip, Include };

// What a whole write of the file's image (and labels, with Include) would change: the
// radio's memory and, afterwards, the memory that write would leave, field by field
// (image_diff.h). Only the bits a write owns in the blocks it takes count; the radio's own
// bytes (protected bytes, the page map, groups it lacks) are no difference.
struct WriteChanges {
    MemImage radio{};
    LabelImage radioLabels{};
    MemImage after{};
    LabelImage afterLabels{};
};
WriteChanges changesOfWrite(const MemImage& file, const LabelImage& fileLabels,
                            const MemImage& radio, const LabelImage& radioLabels);

// Reads the radio (and its labels, with Include) and lists what a write of the file would
// change; no line: the radio holds the file.
OperationResult compareWithRadio(RadioLink& link, const MemImage& file,
                                 const LabelImage& fileLabels, LabelCompare labels,
                                 std::vector<std::string>& differences);

}  // namespace zav
