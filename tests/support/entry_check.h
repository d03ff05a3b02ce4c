#pragma once
// The same entries through every path a text takes into the images (a grid cell, the
// offset box, the group's header fields, a pasted row, a CSV import, the field gate
// itself), held to one rule: what a path takes reads back as the field's gate shows it;
// what it refuses leaves the images as they were and is told with the gate's reason.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "model/document.h"
#include "model/field_texts.h"

namespace zav::test {

// A text for a field (named as fieldTexts() names it) and the text the field then shows;
// nullopt when the field cannot hold it.
struct EntryCase {
    std::string_view field;
    std::string text;
    std::optional<std::string> shown;
};

// The field's text after the entry and what the path told the user ("" when nothing);
// nullopt when the path does not reach the field.
using EntryOutcome = std::optional<std::pair<std::string, std::string>>;

// An adapter that enters one text into the images of `doc`.
struct EntryPath {
    std::string name;
    Document* doc;
    std::function<EntryOutcome(const EntryCase&)> enter;
};

inline const FieldText& fieldNamed(std::string_view name) {
    return *std::ranges::find(fieldTexts(), name, &FieldText::name);
}

inline void expectEntry(const EntryPath& path, const EntryCase& c) {
    Document scratch;
    const auto reason = fieldNamed(c.field).store({scratch.mem, scratch.labels}, c.text);
    const std::string where = path.name + ", " + std::string(c.field) + " '" + c.text + "'";
    const MemImage mem = path.doc->mem;
    const LabelImage labels = path.doc->labels;
    const EntryOutcome got = path.enter(c);
    if (!got) return;
    if (c.shown) {
        EXPECT_EQ(*got, std::pair(*c.shown, std::string())) << where;
    } else {
        EXPECT_TRUE(path.doc->mem == mem && path.doc->labels == labels) << where;
        EXPECT_TRUE(reason && got->second.find(*reason) != std::string::npos)
            << where << ": " << got->second;
    }
}

}  // namespace zav::test
