#pragma once

#include <array>
#include <string>
#include <string_view>

namespace help {

// A line of the help text: ideographic spaces (1 before a heading, 8 before a paragraph's first
// line, 7 before its other lines), then its body. The paragraphs are broken in advance, often
// mid-word; lines are never joined or wrapped again.
struct HelpLine {
    int indent;
    std::u16string_view body;
};

extern const std::array<HelpLine, 29> kHelpLines;

// The line exactly as printed.
std::u16string printed(const HelpLine &line);

}  // namespace help
