#pragma once

#include <cstdint>
#include <string_view>

namespace pranoth {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// Colours of the result report (entries 0, 3 and 4 of the classic 16-colour palette).
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb Teal{0, 128, 128};
inline constexpr Rgb DarkRed{128, 0, 0};

// A line break inside any program text.
inline constexpr std::string_view LineBreak = "\r\n";

// Writes formatted text at an insertion point, like a rich-text control does:
// bold and colour apply to the text inserted after them and stay as set until
// set again.
class RichTextWriter {
public:
    virtual ~RichTextWriter() = default;
    virtual void setBold(bool bold) = 0;
    virtual void setColour(Rgb colour) = 0;
    virtual void insertText(std::string_view text) = 0;
    // Empties the text.
    virtual void clear() = 0;
    // Moves the insertion point to the end of the text.
    virtual void moveToEnd() = 0;
};

} // namespace pranoth
