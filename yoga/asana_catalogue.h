#pragma once

#include <array>
#include <string_view>

namespace pranoth {

// How long a posture is held, as its own procedure says: a range in seconds,
// and whether it is done on each side in turn (the right side first, then the
// left).
struct Hold {
    int shortestSeconds = 0;
    int longestSeconds = 0;
    bool eachSide = false;
};

// One yoga posture as the catalogue holds it. Every field may be empty; an
// empty `cautions` means the posture has none and the viewer leaves the
// section out. Multi-line fields (`procedure`, numbered `benefits`) join their
// lines with CR LF and never end with a line break.
struct Asana {
    std::string_view name;
    std::string_view description;
    std::string_view englishName;
    std::string_view procedure;
    std::string_view benefits;
    std::string_view cautions;
    Hold hold;
};

inline constexpr int AsanaCount = 11;         // entries 0..10 hold postures
inline constexpr int AsanaCatalogueSize = 12; // entry 11 exists and stays empty

using AsanaCatalogueList = std::array<Asana, AsanaCatalogueSize>;

// Shown with every posture and with the postures of a printed result:
// several hold the breath or put weight on the neck, and some records have
// no cautions of their own.
inline constexpr std::string_view SafetyNote =
    "Practise gently and within your limits. If you are pregnant, or have high blood pressure, a "
    "heart, eye, neck or back condition or an injury, ask a doctor or a qualified teacher first.";

// The program's constant catalogue, entries 0..11.
extern const AsanaCatalogueList AsanaCatalogue;

// Returns the catalogue. It is constant data, so calling this any number of
// times leaves the same content; the viewer calls it before every display.
const AsanaCatalogueList &fillAsanaCatalogue();

// Pictures form a separate list with base 1: asana i is picture i + 1.
constexpr int asanaPicturePosition(int asanaIndex)
{
    return asanaIndex + 1;
}

// File name of picture position p (1..11), e.g. "01Mandukasana.jpg"; empty
// for any other position.
std::string_view asanaPictureFile(int picturePosition);

} // namespace pranoth
