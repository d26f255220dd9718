#include "chakra.h"

namespace pranoth {

const std::array<std::string_view, ChakraSlots> ChakraTitles = {
    "Root Chakra (Muladhara)",   "Sacral Chakra (Swadhisthanna)",
    "Navel Chakra (Manipura)",   "Heart Chakra (Anahata)",
    "Throat Chakra (Vishuddha)", "Third Eye Chakra (Ajna)",
    "Crown Chakra (Sahasrara)",  "",
};

// Texts are kept character for character, including the double space of
// question 15 and the trailing spaces of questions 39 and 40.
const std::array<std::string_view, QuestionBankCount + 1> QuestionBank = {
    // Root
    "Do you have a good sense of direction?",
    "Do you feel physically active and fit?",
    "Does it matter if you do not have material comforts?",
    "Do you feel comfortable in the presence of unknown people?",
    "Do you feel grounded and stable?",
    "Do you feel connected to the oneness of the universe?",
    "Do you have good survival instincts?",
    "Do you have the courage to stand up for yourself?",
    // Sacral
    "Don't you believe in creativity?",
    "Do you have no control over your feelings?",
    "Do you feel unbalanced in your relationships with others?",
    "Do you lack excitement and fail to get emotional about issues?",
    "Do you feel uninterested in sex for pleasure?",
    "Do you feel connected to the present?",
    "Do you feel that you do not relate to people?",
    "Do you feel better when you don't let go of  your emotions?",
    // Navel
    "Do you feel self confident and self reliant?",
    "Do you feel you can change your life when circumstances demand?",
    "Do you submit yourself to the natural flow of life?",
    "Do you believe you can achieve all the goals you set for yourself?",
    "Do you treat yourself with respect and honor?",
    "Are you a good decision maker?",
    "Do you have a sense of humor?",
    "Do you believe you have the right balance of ego, self-control and intellect?",
    // Heart
    "Do you have a bad temperament and are always moody?",
    "Do you feel jealous and envious about others?",
    "Do you fear being rejected or abandoned?",
    "Do you find it easy to say no to others?",
    "Do you feel unconditional love can never be achieved?",
    "Do you feel disconnected from your emotions?",
    "Do you feel restricted and suffocated in life?",
    "Do you feel immune to the pain of loss?",
    // Throat
    "Do you have good planning and organizational skills?",
    "Do you communicate easily with others?",
    "Do you feel your heart and mind are balanced?",
    "Do you express yourself through some art form like dancing singing, painting etc?",
    "Do you balance talking and listening while speaking to people?",
    "Do you have faith in belief and family traditions?",
    "Are you honest with others irrespective of circumstances and always speak the truth?",
    "Do you believe in loyalty? ",
    // Third Eye
    "Do you depend on others to make your decisions? ",
    "Do you have zero faith in your deep insight and sound judgment?",
    "Do you feel that intuition about things doesn't exist in reality?",
    "Do you fantasize a lot or are you level headed?",
    "Do you have negative thoughts?",
    "Do you fail to see the 'big picture'?",
    "Do you feel that developing your psychic and intuitive powers is useless?",
    "Do you feel moody and depressed?",
    // Crown
    "Do you believe in spirituality?",
    "Do you believe in a proper balance between spirituality and reality?",
    "Can you integrate your wisdom with your intuitive powers?",
    "Do you have more faith in the divine wisdom than in your abilities?",
    "Do you feel united with the Divine Source?",
    "Do you believe in the higher levels of knowledge and consciousness?",
    "Do you have a feeling of spiritual knowingness and enlightenment?",
    "Do you feel unattached from the real world?",
    "",
};

const std::array<std::string_view, QuestionBankCount + 1> KeyAnswers = {
    AnswerYes, AnswerNo,  AnswerYes, AnswerNo,  AnswerYes, AnswerNo,  AnswerNo,  AnswerYes,
    AnswerNo,  AnswerYes, AnswerYes, AnswerNo,  AnswerNo,  AnswerYes, AnswerYes, AnswerNo,
    AnswerYes, AnswerNo,  AnswerYes, AnswerYes, AnswerYes, AnswerNo,  AnswerNo,  AnswerYes,
    AnswerYes, AnswerNo,  AnswerNo,  AnswerYes, AnswerYes, AnswerNo,  AnswerNo,  AnswerYes,
    AnswerYes, AnswerNo,  AnswerNo,  AnswerYes, AnswerYes, AnswerNo,  AnswerNo,  AnswerYes,
    AnswerNo,  AnswerYes, AnswerYes, AnswerNo,  AnswerYes, AnswerNo,  AnswerYes, AnswerNo,
    AnswerYes, AnswerNo,  AnswerNo,  AnswerYes, AnswerNo,  AnswerYes, AnswerYes, AnswerNo,
    "",
};

std::string_view chakraDisplayName(int chakra)
{
    return chakra >= 0 && chakra < ChakraCount ? ChakraTitles[asIndex(chakra)] : std::string_view{};
}

std::string_view answerText(Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        return AnswerYes;
    case Answer::No:
        return AnswerNo;
    case Answer::NotSure:
        return AnswerNotSure;
    case Answer::Unanswered:
        break;
    }
    return {};
}

Answer keyAnswer(int bankNumber)
{
    if (chakraOfBankNumber(bankNumber) < 0)
        return Answer::Unanswered;
    return KeyAnswers[asIndex(bankNumber)] == AnswerYes ? Answer::Yes : Answer::No;
}

int optionOfAnswer(Answer answer)
{
    if (answer == Answer::Yes)
        return OptionYes;
    if (answer == Answer::No)
        return OptionNo;
    return OptionNotSure;
}

Answer answerOfOption(int option)
{
    if (option == OptionYes)
        return Answer::Yes;
    if (option == OptionNo)
        return Answer::No;
    return Answer::NotSure;
}

std::array<Int16, ChakraSlots> chakraSelectionOf(const ChakraSet &ticked)
{
    std::array<Int16, ChakraSlots> selection{};
    for (int k = 0; k < ChakraCount; ++k)
        selection[asIndex(k)] = static_cast<Int16>(ticked[asIndex(k)] ? k : -1);
    return selection;
}

ChakraSet tickedOf(const std::array<Int16, ChakraSlots> &selection)
{
    ChakraSet ticked{};
    for (int k = 0; k < ChakraCount; ++k)
        ticked[asIndex(k)] = selection[asIndex(k)] != -1;
    return ticked;
}

} // namespace pranoth
