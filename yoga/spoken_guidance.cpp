#include "spoken_guidance.h"

#include "asana_catalogue.h"

#include <array>

namespace pranoth {

namespace {

// Indexed by session posture id.
constexpr std::array<AsanaGuidance, SessionPostureCount> Guidance{{
    {"Sit on your heels with your knees wide apart and your big toes touching. Rest your forearms "
     "on the floor with your palms joined, and lengthen your spine.",
     "Come up onto your hands, bring your knees together and sit back on your heels."},
    {"Lie on your stomach with your palms beside your chest and your elbows close to your body. "
     "As you breathe in, slowly raise your head and chest, keeping your elbows bent.",
     "Breathe out as you lower your chest and forehead to the floor, and rest with your head "
     "turned to one side."},
    {"Kneel, place your palms between your knees with the fingers pointing back, and rest your "
     "abdomen on your bent elbows. Stretch your legs back and shift your weight forward until "
     "your feet lift.",
     "Lower your feet to the floor first, then your knees, and sit back on your heels to rest."},
    {"Lie on your stomach, bend your knees and hold your ankles. As you breathe in, press your "
     "feet back into your hands and lift your thighs, chest and head.",
     "Breathe out as you lower your thighs, chest and chin to the floor, then release your "
     "ankles and rest."},
    {"Lie on your back with your hands under your buttocks. Press your elbows down, lift your "
     "chest and lower the crown of your head gently to the floor, keeping your weight on your "
     "elbows.",
     "Press into your elbows, lift your head slightly, lower your back and then your head to the "
     "floor, and relax."},
    {"Sit in Padmasana or on your heels and hold one wrist behind your back. Breathe out slowly "
     "as you fold forward until your forehead rests on the floor.",
     "Breathe in as you lower your hands and slowly sit up again."},
    {"Kneel with your knees hip-width apart and your hands on your lower back. As you breathe "
     "in, lift your chest and lean back slowly, then rest your palms on your heels.",
     "Bring your hands back to your lower back one at a time and rise slowly, your head last, "
     "then sit back on your heels."},
    {"Lie on your back with your palms down. Breathing out, raise your legs and hips, support "
     "your back with your hands, and lower your toes behind your head only as far as is "
     "comfortable.",
     "Support your back with your hands and roll down slowly, one vertebra at a time, keeping "
     "your head on the floor."},
    {"Lie on your back with your shoulders on a folded blanket. Breathing out, raise your legs "
     "and hips, support your back with your hands and straighten your legs upward.",
     "Let your legs move slightly over your head and, supporting your back, roll your spine down "
     "slowly, then lower your legs."},
    {"Sit with your legs out, place your left heel beside your right hip and your right foot "
     "outside your left knee. Put your right hand on the floor behind you and, as you breathe "
     "out, turn to the right.",
     "Release the twist slowly, face forward and straighten your legs."},
    {"Sit with your legs out. Place your right foot on your left thigh, then your left foot on "
     "your right thigh, and rest your hands on your knees.",
     "Release one leg at a time with your hands, stretch your legs out and shake them gently."},
    {"Sit on a folded blanket, cross your legs at the shins and rest your hands on your knees. "
     "Close your eyes and breathe slowly through the nose.",
     "Open your eyes, uncross your legs and stretch them out."},
    {"Come onto your hands and knees, hands under your shoulders and knees under your hips. "
     "Breathing in, let your abdomen sink and lift your chest; breathing out, round your back.",
     "Return to a flat back and sit back on your heels."},
    {"Kneel and sit back on your heels. Breathing out, fold forward and rest your forehead on the "
     "floor, your arms beside your body.",
     "Place your hands under your shoulders and rise slowly, your head last."},
    {"Lie on your back, your feet falling apart and your arms a little away from your body, "
     "palms up. Close your eyes and let the whole body become heavy.",
     "Move your fingers and toes, roll onto your right side, and come up slowly."},
}};

const Asana *asanaOf(const PracticePlan &plan, int posture)
{
    if (posture < 0 || posture >= static_cast<int>(plan.size()))
        return nullptr;
    const int asana = plan[static_cast<std::size_t>(posture)].asana;
    return asana >= 0 && asana < SessionPostureCount ? &postureRecord(asana) : nullptr;
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \r\n\t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \r\n\t");
    return std::string(text.substr(first, last - first + 1));
}

// A step of a procedure without its number: the first, or the last.
std::string stepOf(std::string_view procedure, bool last)
{
    const auto lastBreak = procedure.rfind('\n');
    std::string_view step = last && lastBreak != std::string_view::npos
                                ? procedure.substr(lastBreak + 1)
                                : procedure.substr(0, procedure.find('\r'));
    if (const auto dot = step.find(". "); dot != std::string_view::npos && dot < 4)
        step.remove_prefix(dot + 2);
    return trimmed(step);
}

void append(std::vector<std::string> &phrases, const std::vector<std::string> &more)
{
    phrases.insert(phrases.end(), more.begin(), more.end());
}

} // namespace

const AsanaGuidance &asanaGuidance(int asana)
{
    static constexpr AsanaGuidance None{};
    if (asana < 0 || asana >= SessionPostureCount)
        return None;
    return Guidance[static_cast<std::size_t>(asana)];
}

std::vector<std::string> procedurePhrases(int asana)
{
    if (asana < 0 || asana >= SessionPostureCount)
        return {};
    const Asana &record = postureRecord(asana);
    std::vector<std::string> phrases{std::string(record.englishName) + ", " +
                                     std::string(record.name) + '.'};
    std::string_view steps = record.procedure;
    while (!steps.empty()) {
        const auto end = steps.find("\r\n");
        if (std::string step = trimmed(steps.substr(0, end)); !step.empty())
            phrases.push_back(std::move(step));
        steps = end == std::string_view::npos ? std::string_view() : steps.substr(end + 2);
    }
    return phrases;
}

std::string spokenDuration(int seconds)
{
    const auto unit = [](int count, std::string_view one, std::string_view many) {
        return std::to_string(count) + ' ' + std::string(count == 1 ? one : many);
    };
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    if (minutes == 0)
        return unit(rest, "second", "seconds");
    if (rest == 0)
        return unit(minutes, "minute", "minutes");
    return unit(minutes, "minute", "minutes") + ' ' + unit(rest, "second", "seconds");
}

std::vector<std::string> sentencesOf(std::string_view text)
{
    std::vector<std::string> sentences;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool ends =
            (c == '.' || c == '?' || c == '!') && (i + 1 == text.size() || text[i + 1] == ' ' ||
                                                   text[i + 1] == '\r' || text[i + 1] == '\n');
        if (ends) {
            if (std::string sentence = trimmed(text.substr(start, i + 1 - start));
                !sentence.empty())
                sentences.push_back(std::move(sentence));
            start = i + 1;
        }
    }
    if (std::string tail = trimmed(text.substr(std::min(start, text.size()))); !tail.empty())
        sentences.push_back(std::move(tail));
    return sentences;
}

std::vector<std::string> phrasesFor(const SpokenCue &cue, const PracticePlan &plan,
                                    GuidanceDetail detail, bool beginner)
{
    const bool full = detail == GuidanceDetail::Full;
    const Asana *asana = asanaOf(plan, cue.posture);
    const int id = asana ? plan[static_cast<std::size_t>(cue.posture)].asana : -1;
    const AsanaGuidance &guidance = asanaGuidance(id);
    const BeginnerForm &easier = sessionData(id).beginner;
    const bool easierForm = beginner && !easier.name.empty();
    const auto named = [asana] {
        return std::string(asana->englishName) + ", " + std::string(asana->name);
    };
    std::vector<std::string> phrases;
    switch (cue.kind) {
    case CueKind::GetReady:
        if (!asana)
            break;
        phrases.push_back("Get ready for " + named() + '.');
        if (easierForm)
            phrases.push_back("The beginner's form: " + std::string(easier.name) + '.');
        if (plan[static_cast<std::size_t>(cue.posture)].hold.eachSide ||
            (easierForm && easier.eachSide))
            phrases.emplace_back("The right side first.");
        if (!sessionData(id).spokenCautions.empty())
            phrases.emplace_back(sessionData(id).spokenCautions);
        if (full)
            append(phrases,
                   sentencesOf(easierForm ? stepOf(easier.procedure, false) : guidance.wayIn));
        break;
    case CueKind::HoldBegins:
        phrases.push_back("Hold for " + spokenDuration(cue.seconds) + '.');
        break;
    case CueKind::Breathe:
        phrases.emplace_back("Breathe slowly and evenly.");
        break;
    case CueKind::Release:
        phrases.emplace_back("Slowly release.");
        // The easier form's own way out: its procedure's last step.
        if (full)
            append(phrases,
                   sentencesOf(easierForm ? stepOf(easier.procedure, true) : guidance.wayOut));
        break;
    case CueKind::ChangeSide:
        phrases.emplace_back("Slowly release, and change sides.");
        phrases.emplace_back("Now the left side.");
        break;
    case CueKind::RestNext:
        phrases.emplace_back("Rest.");
        if (asana)
            phrases.push_back("Next: " + named() + '.');
        break;
    case CueKind::SessionOver:
        phrases.emplace_back("The session is over.");
        phrases.push_back("You practised for " + spokenDuration(cue.seconds) + '.');
        break;
    case CueKind::Countdown:
        phrases.push_back(std::to_string(cue.seconds));
        break;
    }
    return phrases;
}

} // namespace pranoth
