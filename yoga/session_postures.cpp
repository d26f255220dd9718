#include "session_postures.h"

#include <array>
#include <cstddef>

namespace pranoth {

namespace {

// The session's own postures, ids 11..14, written as the catalogue's records are.
const std::array<Asana, 4> SessionRecords{{
    Asana{
        .name = "Sukhasana",
        .description = "Sukha means ease or comfort in Sanskrit. Sitting simply with the legs "
                       "crossed at the shins, the body is steady and at ease, so this asana has "
                       "been named the Sukhasana. It is a comfortable seat for quiet breathing at "
                       "the start of a practice.",
        .englishName = "Easy Pose",
        .procedure =
            "1. Sit on the front edge of a folded blanket with your legs stretched out in front of "
            "you.\r\n"
            "2. Bend your knees and cross your legs at the shins, drawing each foot in under the "
            "opposite knee, and let your knees relax down towards the floor.\r\n"
            "3. Sit upright with your head, neck and spine in a line, relax your shoulders and "
            "rest your hands on your knees.\r\n"
            "4. Close your eyes and take five or six slow breaths through the nose, letting each "
            "breath out be a little longer than the breath in.\r\n"
            "5. Then let the breath become natural again and sit still and relaxed for the rest "
            "of the time.\r\n"
            "6. To come out, open your eyes, uncross your legs with the help of your hands, "
            "stretch them out in front of you and shake them gently; next time cross them the "
            "other way round.",
        .benefits = "1. Gives a steady, comfortable seat for breathing and quiet sitting.\r\n"
                    "2. Gently loosens the hips, knees and ankles.\r\n"
                    "3. Calms the breath and the mind and prepares them for the practice.",
        .cautions = "If your knees are higher than your hips or your back rounds, sit higher on "
                    "a cushion or a thicker folded blanket. If you have a knee injury, put a "
                    "support under each knee or sit upright on a chair instead. If your legs go "
                    "numb, stretch them out and cross them the other way.",
        .hold = {30, 60},
    },
    Asana{
        .name = "Marjaryasana-Bitilasana",
        .description = "Marjari means cat in Sanskrit, and the cow pose is known as Bitilasana. "
                       "On the hands and knees the back is rounded upward like a stretching cat "
                       "and then gently hollowed like the back of a cow, moving slowly with the "
                       "breath; hence the name Marjaryasana-Bitilasana.",
        .englishName = "Cat-Cow Pose",
        .procedure =
            "1. Come onto your hands and knees with your hands under your shoulders, fingers "
            "spread and pointing forward, and your knees under your hips; a folded blanket under "
            "the knees makes this more comfortable.\r\n"
            "2. Begin with your back flat and your neck in a line with your spine, looking at the "
            "floor between your hands.\r\n"
            "3. While inhaling, let your abdomen sink gently towards the floor, lift your "
            "tailbone and your chest and look a little forward, without throwing your head "
            "back.\r\n"
            "4. While exhaling, press into your hands, round your back up towards the ceiling, "
            "tuck your tailbone under and let your head hang down towards your chest.\r\n"
            "5. Keep moving slowly between the two with the breath, one movement to each breath "
            "in and each breath out, for the time of the posture.\r\n"
            "6. To come out, return to a flat back, then sit back on your heels and rest for a "
            "few breaths.",
        .benefits = "1. Warms up the spine and keeps it supple before stronger bends.\r\n"
                    "2. Eases stiffness in the back, neck and shoulders.\r\n"
                    "3. Links movement with the breath and helps the breath to become slow and "
                    "even.",
        .cautions = "Move only within a comfortable range and keep the movement slow and smooth. "
                    "With a neck injury, keep your head in a line with your spine rather than "
                    "lifting or dropping it. If your wrists or knees hurt, rest on your fists or "
                    "pad your knees with a folded blanket.",
        .hold = {30, 60},
    },
    Asana{
        .name = "Balasana",
        .description = "Bala means child in Sanskrit. Kneeling and folding forward with the "
                       "forehead resting on the floor, the body curls up like a small child "
                       "asleep; hence the name Balasana. It is a resting posture, practised after "
                       "backward bends to release the back.",
        .englishName = "Child's Pose",
        .procedure =
            "1. Kneel on the floor with your big toes touching and your knees together or a "
            "little apart, and sit back on your heels.\r\n"
            "2. While exhaling, fold forward from the hips, lay your abdomen on your thighs and "
            "rest your forehead on the floor, or on a folded blanket or cushion if it does not "
            "reach.\r\n"
            "3. Rest your arms on the floor beside your body with the palms up and the hands near "
            "your feet, and let your shoulders relax.\r\n"
            "4. Breathe slowly and evenly, feeling the back of the body widen as you inhale, and "
            "rest for the time of the posture.\r\n"
            "5. To come out, place your hands under your shoulders and, while inhaling, rise "
            "slowly to sitting on your heels, lifting your head last.",
        .benefits = "1. Gently stretches the lower back, hips and thighs and releases the spine "
                    "after backward bends.\r\n"
                    "2. Rests the body and calms the breath and the mind.",
        .cautions = "If you have a knee injury, place a folded blanket between your buttocks and "
                    "heels, or leave the posture out. If you have high blood pressure or feel "
                    "uncomfortable with your head low, rest your forehead on your stacked fists "
                    "or a cushion. In pregnancy, take the knees wide apart so that the abdomen is "
                    "not pressed, or rest in another position.",
        .hold = {30, 60},
    },
    Asana{
        .name = "Shavasana",
        .description = "Shava means corpse in Sanskrit. Lying flat on the back, completely still "
                       "and relaxed, the body rests as motionless as a corpse while the mind stays "
                       "quietly awake; hence the name Shavasana. It is the final relaxation at "
                       "the end of every practice.",
        .englishName = "Corpse Pose",
        .procedure =
            "1. Lie flat on your back on the mat, with a folded blanket under your head if your "
            "chin tilts up, and cover yourself if the room is cool.\r\n"
            "2. Let your feet fall gently apart, a little wider than your hips, and rest your "
            "arms a little away from your body with the palms turned up.\r\n"
            "3. Close your eyes, keep your head in the middle and let the whole body become heavy "
            "on the floor.\r\n"
            "4. Breathe naturally through the nose and, starting with your feet, relax each part "
            "of the body in turn up to your face.\r\n"
            "5. Remain still and awake, simply watching the breath, for the time of the "
            "posture.\r\n"
            "6. To come out, deepen your breath, move your fingers and toes, bend your knees and "
            "roll onto your right side; rest there for a few breaths, then press up slowly with "
            "your hands to sitting, lifting your head last.",
        .benefits = "1. Relaxes the whole body and lets it settle after the practice.\r\n"
                    "2. Calms the breath and the mind and helps to relieve tiredness and stress.",
        .cautions = "If your lower back is uncomfortable, bend your knees with the feet flat on "
                    "the floor or rest them over a rolled blanket. In pregnancy, especially in "
                    "the later months, lie on your left side or raise your head and chest on a "
                    "bolster rather than lying flat. Always come up slowly by way of your side to "
                    "avoid dizziness.",
        .hold = {120, 300},
    },
}};

// Indexed by id. Each names only what its posture has; the rest stays empty.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
const std::array<SessionPostureData, SessionPostureCount> Data{{
    // Mandukasana
    {.inSeconds = 20,
     .outSeconds = 10,
     .beginner =
         {"Easy frog",
          "1. From your hands and knees, with a folded blanket under your knees, move your "
          "knees only a little wider than your hips, with your feet in line with your "
          "knees.\r\n"
          "2. Lower onto your forearms and let your hips move back, behind your knees, only "
          "until you feel a gentle stretch in the inner thighs; keep your neck long and "
          "look at the floor.\r\n"
          "3. Breathe evenly for the time of the posture, then come back up onto your "
          "hands, bring your knees together and sit back on your heels.",
          "01Mandukasana-beginner", false, 30}},
    // Bhujangasana
    {.inSeconds = 8, .outSeconds = 5},
    // Mayurasana
    {.inSeconds = 20,
     .outSeconds = 10,
     .beginner = {"Peacock preparation, feet on the floor",
                  "1. Circle your wrists a few times each way, then kneel with your knees "
                  "apart. Place your palms on the floor between your knees with the fingers "
                  "pointing back towards you, bend your elbows and rest "
                  "your abdomen on them beside the navel.\r\n"
                  "2. Stretch your legs back one at a time, with your toes tucked under and "
                  "resting on the floor and your head lifted.\r\n"
                  "3. Shift your weight forward only a little, keeping your toes firmly on the "
                  "floor; breathe normally and hold for a few seconds.\r\n"
                  "4. To come out, shift back, lower your knees, release your hands, sit back on "
                  "your heels and gently shake out your wrists.",
                  "03Mayurasana-beginner"},
     .recordCautionsFirst = true,
     .spokenCautions = "Keep your toes on the floor and lift only a little; come down before "
                       "your wrists or elbows hurt."},
    // Dhanurasana
    {.inSeconds = 15,
     .outSeconds = 8,
     .changeSidesSeconds = 10,
     .beginner = {"Half bow",
                  "1. Lie on your stomach and rest on your right forearm, with the elbow under "
                  "your shoulder.\r\n"
                  "2. Bend your left knee, hold your left ankle with your left hand (or loop a "
                  "strap around it) and, while inhaling, press the foot gently back into the hand "
                  "so that the thigh lifts a little; keep breathing.\r\n"
                  "3. While exhaling, lower the thigh and release the ankle, then change sides; to "
                  "finish, lie flat and rest with your head turned to one side.",
                  "04Dhanurasana-beginner", true},
     .teacherCautions =
         "Do not practise this asana if you have high blood pressure, heart trouble, a hernia, a "
         "peptic ulcer or a back or neck injury, if you are pregnant, or within three hours of a "
         "meal. Lift only as far as your back allows, keep breathing, and come down at once if "
         "you feel pain in your lower back.",
     .spokenCautions = "Lift only as far as your back allows, and keep breathing."},
    // Matsyasana
    {.inSeconds = 15,
     .outSeconds = 10,
     .beginner = {"Fish on the forearms",
                  "1. Lie on your back with your legs straight and together, slide your hands "
                  "palms down under your buttocks and bring your elbows close to your sides.\r\n"
                  "2. While inhaling, press your forearms and elbows into the floor and lift your "
                  "chest so that you rest on your forearms. Keep your head off the floor, either "
                  "in line with your spine or tilted back only a little, with the back of the "
                  "neck long.\r\n"
                  "3. Breathe slowly for the time of the posture.\r\n"
                  "4. To come out, tuck your chin a little, lower your back and then your head to "
                  "the floor, release your hands and rest.",
                  "05Matsyasana-beginner"},
     .recordCautionsFirst = true,
     .spokenCautions = "Keep your weight on your elbows, not on your head, and come out at once "
                       "if your neck hurts."},
    // Yoga Mudra
    {.inSeconds = 15,
     .outSeconds = 8,
     .beginner = {"Yoga Mudra sitting on the heels",
                  "1. Kneel and sit back on your heels, with a folded blanket between your "
                  "buttocks and heels if your knees or ankles complain, and hold one wrist behind "
                  "your back.\r\n"
                  "2. While exhaling slowly, fold forward from the hips and rest your forehead on "
                  "the floor or on a cushion; keep breathing slowly and do not hold your "
                  "breath.\r\n"
                  "3. If it is comfortable, lift your clasped hands a little away from your back, "
                  "only as far as your shoulders allow.\r\n"
                  "4. To come out, lower your hands to your back and, while inhaling, rise "
                  "slowly, lifting your head last; then release your hands.",
                  "06YogaMudra-beginner", false, 30},
     .teacherCautions =
         "Beginners, and anyone with high blood pressure or heart trouble, should keep breathing "
         "slowly in the fold instead of holding the breath, and should rest the forehead on a "
         "cushion if it does not reach the floor. Avoid it with sciatica or a back injury, a "
         "hernia or other abdominal complaint, glaucoma, or in pregnancy, and sit in Vajrasana "
         "rather than Padmasana unless your knees allow the lotus without strain.",
     .spokenCautions = "Keep breathing slowly in the fold, and rest your forehead on a cushion "
                       "if it does not reach the floor."},
    // Ustrasana
    {.inSeconds = 15,
     .outSeconds = 10,
     .beginner = {"Camel with the hands on the lower back",
                  "1. Kneel with your knees hip-width apart, toes tucked under if you like, and "
                  "place your hands on your lower back with the fingers pointing down.\r\n"
                  "2. While inhaling, lift your chest and lean back only a little, keeping your "
                  "hips over your knees and your head in line with your spine, looking forward or "
                  "a little up; breathe normally.\r\n"
                  "3. To come out, press your hands into your back and come up slowly, chest first "
                  "and head last, then sit on your heels and rest.",
                  "07Ustrasana-beginner"},
     .teacherCautions =
         "Avoid this asana if you have high or low blood pressure, heart trouble, migraine or a "
         "serious back or neck injury, and learn it with a teacher if your back is weak or "
         "stiff. Keep your neck long rather than letting your head drop back, and if you feel "
         "dizzy or a pinch in your lower back, come up slowly and sit on your heels.",
     .spokenCautions = "Keep your neck long, and come up slowly if you feel dizzy."},
    // Halasana
    {.inSeconds = 20,
     .outSeconds = 15,
     .beginner = {"Plough with the feet on a chair",
                  "1. Stand a steady chair with its back against a wall and its seat towards you, "
                  "just beyond your head, close enough for your toes to reach the seat. Lie with "
                  "your shoulders on a folded blanket and your head on the floor.\r\n"
                  "2. While exhaling, bring your knees to your chest, press your palms down, roll "
                  "your hips up with your hands supporting your back, then straighten your legs "
                  "over your head and rest your toes on the chair seat.\r\n"
                  "3. Keep your weight on your shoulders, do not turn your head and breathe "
                  "slowly.\r\n"
                  "4. To come out, bend your knees, lift your feet off the chair and, supporting "
                  "your back with your hands and keeping your head on the floor, roll down "
                  "slowly; then rest.",
                  "08Halasana-beginner"},
     .recordCautionsFirst = true,
     .spokenCautions = "Lower your feet only as far as they go easily, keep your weight on your "
                       "shoulders and do not turn your head."},
    // Sarvangasana
    {.inSeconds = 30,
     .outSeconds = 15,
     .beginner = {"Legs up with the hips supported",
                  "1. Lie on your back with your knees bent and your feet flat on the floor. "
                  "Press your feet down, lift your hips and slide a folded blanket or bolster "
                  "under the flat bony part at the base of your spine, then lower your hips onto "
                  "it.\r\n"
                  "2. Bring your knees to your chest one at a time and stretch your legs up "
                  "towards the ceiling, knees soft. Keep your head and shoulders on the floor, "
                  "your neck free, and your arms beside your body with the palms up.\r\n"
                  "3. Breathe slowly for the time of the posture.\r\n"
                  "4. To come out, bend your knees and put your feet on the floor, lift your hips, "
                  "slide the support aside, lower your back to the floor and rest for a few "
                  "breaths.",
                  "09Sarvangasana-beginner"},
     .recordCautionsFirst = true,
     .spokenCautions = "Keep your neck free and still, with no weight on it, and do not turn your "
                       "head."},
    // Ardhamatsyendrasana
    {.inSeconds = 20,
     .outSeconds = 8,
     .changeSidesSeconds = 15,
     .beginner = {"Twist with the lower leg straight",
                  "1. Sit on the edge of a folded blanket with your legs stretched out, then bend "
                  "your right knee and place the right foot flat on the floor outside your left "
                  "knee, keeping the left leg straight.\r\n"
                  "2. Place your right hand on the floor behind you close to your hip and hug your "
                  "right knee with your left arm. Lengthen your spine as you inhale, and as you "
                  "exhale turn gently to the right, letting your head turn last.\r\n"
                  "3. Hold, breathing evenly; to come out, turn back to the front as you exhale, "
                  "straighten your right leg and repeat on the other side.",
                  "10Ardhamatsyendrasana-beginner"},
     .teacherCautions =
         "Turn only as far as is comfortable, lengthening the spine first and never using the "
         "arm to force the twist further. Avoid it after the first two or three months of "
         "pregnancy, and if you have a peptic ulcer, a hernia or a back or spinal injury, "
         "practise it only under the guidance of an experienced teacher.",
     .spokenCautions = "Lengthen your spine first, and never force the twist with your arm.",
     .otherSide = "10Ardhamatsyendrasana-left"},
    // Padmasana
    {.inSeconds = 25,
     .outSeconds = 15,
     .changeSidesSeconds = 15,
     .beginner = {"Half lotus",
                  "1. Sit on the front edge of a folded blanket with your legs stretched out, then "
                  "bend your left knee and draw the left foot in close to your body.\r\n"
                  "2. Bend your right knee and, holding the foot with your hands, rest it on your "
                  "left thigh or calf only as high as it goes without any pull in the knee; if it "
                  "does not go easily, simply sit cross-legged (Sukhasana).\r\n"
                  "3. Sit upright with your hands on your knees and breathe slowly.\r\n"
                  "4. To come out, lift the upper foot down with your hands, stretch your legs "
                  "out and shake them, then put the other foot on top.",
                  "11Padmasana-beginner", true},
     .recordCautionsFirst = true,
     .spokenCautions = "Never force your foot onto your thigh; if your knee complains, sit in "
                       "half lotus or cross-legged."},
    // Sukhasana
    {.inSeconds = 10, .outSeconds = 8, .picture = "12Sukhasana"},
    // Marjaryasana-Bitilasana
    {.inSeconds = 8, .outSeconds = 6, .picture = "13Marjaryasana"},
    // Balasana
    {.inSeconds = 8, .outSeconds = 6, .picture = "14Balasana"},
    // Shavasana
    {.inSeconds = 15, .outSeconds = 20, .picture = "15Shavasana"},
}};
#pragma GCC diagnostic pop

} // namespace

const Asana &postureRecord(int id)
{
    static constexpr Asana None{};
    if (id >= 0 && id < AsanaCount)
        return AsanaCatalogue[static_cast<std::size_t>(id)];
    if (id >= AsanaCount && id < SessionPostureCount)
        return SessionRecords[static_cast<std::size_t>(id - AsanaCount)];
    return None;
}

const SessionPostureData &sessionData(int id)
{
    static const SessionPostureData None{};
    if (id < 0 || id >= SessionPostureCount)
        return None;
    return Data[static_cast<std::size_t>(id)];
}

HoldGrowth holdGrowth(int id)
{
    // The seconds a hold grows by each time it is held fully: about a fifth
    // of its range, so that each reaches its top after five or six sessions
    // (the frog, the peacock and Yoga Mudra, whose ranges are short, after two).
    static constexpr std::array<int, SessionPostureCount> Steps{
        1,  // Mandukasana 6 to 8 s
        1,  // Bhujangasana 10 to 15 s
        1,  // Mayurasana 3 to 5 s
        1,  // Dhanurasana 10 to 15 s
        2,  // Matsyasana 10 to 20 s
        1,  // Yoga Mudra 6 to 8 s
        2,  // Ustrasana 10 to 20 s
        4,  // Halasana 10 to 30 s
        2,  // Sarvangasana 20 to 30 s
        2,  // Ardhamatsyendrasana 20 to 30 s each side
        5,  // Padmasana 30 to 60 s
        5,  // Sukhasana 30 to 60 s
        5,  // Marjaryasana-Bitilasana 30 to 60 s
        5,  // Balasana 30 to 60 s
        30, // Shavasana 120 to 300 s
    };
    if (id < 0 || id >= SessionPostureCount)
        return {};
    const Hold &hold = postureRecord(id).hold;
    return {hold.shortestSeconds, Steps[static_cast<std::size_t>(id)], hold.longestSeconds};
}

std::string_view cautionsBefore(int id)
{
    const SessionPostureData &data = sessionData(id);
    return data.recordCautionsFirst ? postureRecord(id).cautions : data.teacherCautions;
}

} // namespace pranoth
