#pragma once

#include "asana_catalogue.h"
#include "core/chakra.h"
#include "core/practice_progress.h"

#include <string_view>

namespace pranoth {

// The postures a session can hold: the catalogue's eleven (ids 0..10, as the
// catalogue numbers them) and the four a class needs around them, which no
// chakra's advice names (ids 11..14).
enum SessionPostureId : Int16 {
    Frog = 0,
    Cobra = 1,
    Peacock = 2,
    Bow = 3,
    Fish = 4,
    YogaMudra = 5,
    Camel = 6,
    Plough = 7,
    ShoulderStand = 8,
    Twist = 9,
    Lotus = 10,
    EasySeat = 11,
    CatCow = 12,
    Child = 13,
    Corpse = 14,
};
inline constexpr int SessionPostureCount = 15;

// Why a posture is in a session.
enum class SessionRole {
    Advice,      // recommended for a chakra that is not open
    Preparation, // the opening breaths, the warm-up
    CounterPose, // undoes the postures before it
    Relaxation,  // the final rest
};

// An easier form a beginner can do safely alone.
struct BeginnerForm {
    std::string_view name;      // "Half lotus"
    std::string_view procedure; // numbered steps joined with CR LF
    std::string_view picture;   // its picture's file name without ".jpg"; the left side's
                                // adds "-left", where the form is done on each side
    bool eachSide = false;      // done on each side, though the full form is not
    // A gentle form is a shape to settle into: held at least this long, however
    // short the full form's hold.
    int leastHoldSeconds = 0;
};

// What a session knows of a posture beyond its record: the time a body needs
// to come into it, to come out of it and to change sides, the easier form,
// the cautions shown before it, and its pictures.
struct SessionPostureData {
    int inSeconds = 0;
    int outSeconds = 0;
    int changeSidesSeconds = 0;
    BeginnerForm beginner;
    // Shown before the posture: the record's own cautions, word for word
    // (`recordCautionsFirst`), or, for a record that has none, a teacher's.
    bool recordCautionsFirst = false;
    std::string_view teacherCautions;
    // The cautions in short, as they are said.
    std::string_view spokenCautions;
    std::string_view picture;   // file name without ".jpg"
    std::string_view otherSide; // the left side's picture, for a posture done on each side
};

// A posture's record: the catalogue's for ids 0..10, the session's own for
// the others; an empty record for any other id.
const Asana &postureRecord(int id);
const SessionPostureData &sessionData(int id);

// How posture `id`'s hold grows as it is practised: from the bottom of its
// record's range to the top, by its own step.
HoldGrowth holdGrowth(int id);

// The cautions a session shows before posture `id`, none for most.
std::string_view cautionsBefore(int id);

// Said to the user once, before a session's first posture.
inline constexpr std::string_view BeforeYouBeginTitle = "Before you begin";
inline constexpr std::string_view BeforeYouBegin =
    "Practise on an empty stomach, two to three hours after a meal.\r\n"
    "Use a non-slip mat in a quiet, warm room, and keep a folded blanket, a cushion and a steady "
    "chair, its back against a wall, at hand.\r\n"
    "Move slowly, stop at once if you feel pain or dizziness, and never force a posture.\r\n"
    "Kneel on the folded blanket if your knees are tender, and circle your wrists before the "
    "postures that rest on the hands; skip a posture that hurts a knee or a wrist.\r\n"
    "Breathe gently through the nose and do not hold your breath unless a posture tells you "
    "to.\r\n"
    "If you are pregnant, or have high blood pressure, a heart condition, an eye condition such "
    "as glaucoma, a neck or back condition, or have had recent surgery, ask your doctor or a "
    "qualified teacher first.";

} // namespace pranoth
