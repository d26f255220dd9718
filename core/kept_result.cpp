#include "kept_result.h"

#include "report.h"
#include "rich_text.h"
#include "test_run.h"

#include <chrono>
#include <cstdio>

namespace pranoth {

namespace {

KeptAnswer keptAnswerOf(std::string_view answer)
{
    if (answer.empty())
        return KeptAnswer::Unanswered;
    if (answer == AnswerYes)
        return KeptAnswer::Yes;
    if (answer == AnswerNo)
        return KeptAnswer::No;
    return KeptAnswer::NotSure;
}

std::string_view answerText(KeptAnswer answer)
{
    switch (answer) {
    case KeptAnswer::Yes:
        return AnswerYes;
    case KeptAnswer::No:
        return AnswerNo;
    case KeptAnswer::NotSure:
        return AnswerNotSure;
    case KeptAnswer::Unanswered:
        break;
    }
    return {};
}

// Writes nothing: for an assessment wanted only for its scores.
class DiscardingWriter : public RichTextWriter {
public:
    void setBold(bool) override {}
    void setColour(Rgb) override {}
    void insertText(std::string_view) override {}
    void clear() override {}
    void moveToEnd() override {}
};

// A result window that is only a report.
class ReportOnlyView : public ResultView {
public:
    explicit ReportOnlyView(RichTextWriter &writer) : writer_(writer) {}
    void sizeAndShowBar(int, int) override {}
    RichTextWriter &report() override { return writer_; }
    void showResult() override {}

private:
    RichTextWriter &writer_;
};

// The chakra scores an assessment of the record leaves, written to `writer`.
KeptScores assess(const KeptResult &record, RichTextWriter &writer)
{
    const TestRun run = runOf(record);
    ChakraResults results;
    ReportOnlyView view(writer);
    AssessTestRun(run, results, view);
    KeptScores scores;
    for (int k = 0; k < ChakraCount; ++k) {
        if (record.ticked[asIndex(k)])
            scores[asIndex(k)] = results.ChakraScores[asIndex(k)];
    }
    return scores;
}

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

KeptResult keptResultOf(const TestRun &run, std::int64_t keptAtUtc, std::string_view version)
{
    KeptResult record;
    record.keptAtUtc = keptAtUtc;
    record.programVersion = std::string(version);
    for (int k = 0; k < ChakraCount; ++k)
        record.ticked[asIndex(k)] = run.ChakraSelection[asIndex(k)] != -1;
    const int n = run.length();
    record.questions.reserve(asIndex(n));
    for (int p = 0; p < n; ++p) {
        const std::string_view answer =
            asIndex(p) < run.RunAnswers.size() ? std::string_view(run.RunAnswers[asIndex(p)]) : "";
        record.questions.push_back({run.RunOrder[asIndex(p)], keptAnswerOf(answer)});
    }
    return record;
}

bool isWellFormed(const KeptResult &record)
{
    std::array<int, ChakraCount> asked{};
    std::array<bool, QuestionBankCount> seen{};
    for (const KeptQuestion &question : record.questions) {
        const int chakra = chakraOfBankNumber(question.bankNumber);
        if (chakra < 0 || !record.ticked[asIndex(chakra)] || seen[asIndex(question.bankNumber)] ||
            question.answer > KeptAnswer::NotSure)
            return false;
        seen[asIndex(question.bankNumber)] = true;
        ++asked[asIndex(chakra)];
    }
    bool any = false;
    for (int k = 0; k < ChakraCount; ++k) {
        if (record.ticked[asIndex(k)] && asked[asIndex(k)] != QuestionsPerChakra)
            return false;
        any = any || record.ticked[asIndex(k)];
    }
    return any;
}

TestRun runOf(const KeptResult &record)
{
    TestRun run;
    run.ChakraSelection.fill(0);
    const int n = static_cast<int>(record.questions.size());
    for (int k = 0; k < ChakraCount; ++k)
        run.ChakraSelection[asIndex(k)] = static_cast<Int16>(record.ticked[asIndex(k)] ? k : -1);
    run.QuestionCount = static_cast<Int16>(n);
    run.RunOrder.assign(asIndex(n + 1), 0);
    run.RunKeys.assign(asIndex(n + 1), std::string{});
    run.RunAnswers.assign(asIndex(n + 1), std::string{});
    for (int p = 0; p < n; ++p) {
        const KeptQuestion &question = record.questions[asIndex(p)];
        run.RunOrder[asIndex(p)] = question.bankNumber;
        if (question.bankNumber >= 0 && question.bankNumber < QuestionBankCount)
            run.RunKeys[asIndex(p)] = std::string(KeyAnswers[asIndex(question.bankNumber)]);
        run.RunAnswers[asIndex(p)] = std::string(answerText(question.answer));
    }
    run.CurrentQuestion = static_cast<Int16>(n + 1);
    return run;
}

KeptScores scoresOf(const KeptResult &record)
{
    DiscardingWriter nothing;
    return assess(record, nothing);
}

void writeKeptReport(RichTextWriter &writer, const KeptResult &record, bool withIntroduction)
{
    if (withIntroduction) {
        writer.setBold(false);
        writer.setColour(IntroductionColour);
        writer.insertText(resultIntroduction());
        writer.insertText(LineBreak);
        writer.insertText(LineBreak);
    }
    assess(record, writer);
}

std::string isoUtc(std::int64_t secondsUtc)
{
    using namespace std::chrono;
    const sys_seconds moment{seconds{secondsUtc}};
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss time{moment - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()));
    return text;
}

std::string keptResultsCsv(const std::vector<KeptResult> &records)
{
    constexpr std::string_view End = "\r\n";
    std::string csv = csvField("Date and time (UTC)");
    for (int k = 0; k < ChakraCount; ++k) {
        const std::string title(ChakraTitles[asIndex(k)]);
        csv += ',' + csvField(title + " score") + ',' + csvField(title + " verdict");
    }
    csv += End;
    for (const KeptResult &record : records) {
        csv += csvField(isoUtc(record.keptAtUtc));
        const KeptScores scores = scoresOf(record);
        for (const std::optional<int> &score : scores) {
            csv += ',';
            if (score)
                csv += std::to_string(*score) + ',' + csvField(verdictName(verdictOf(*score)));
            else
                csv += ',';
        }
        csv += End;
    }
    return csv;
}

std::int64_t tickedBits(const std::array<bool, ChakraCount> &ticked)
{
    std::int64_t bits = 0;
    for (int k = 0; k < ChakraCount; ++k)
        bits |= ticked[asIndex(k)] ? std::int64_t{1} << k : 0;
    return bits;
}

std::optional<std::array<bool, ChakraCount>> tickedOfBits(std::int64_t bits)
{
    if (bits < 0 || bits >= std::int64_t{1} << ChakraCount)
        return std::nullopt;
    std::array<bool, ChakraCount> ticked{};
    for (int k = 0; k < ChakraCount; ++k)
        ticked[asIndex(k)] = (bits >> k & 1) != 0;
    return ticked;
}

std::string questionBytes(const std::vector<KeptQuestion> &questions)
{
    std::string bytes;
    bytes.reserve(questions.size());
    for (const KeptQuestion &question : questions)
        bytes += static_cast<char>(question.bankNumber * 4 + static_cast<int>(question.answer));
    return bytes;
}

std::optional<std::vector<KeptQuestion>> questionsOfBytes(std::string_view bytes)
{
    std::vector<KeptQuestion> questions;
    questions.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= QuestionBankCount * 4)
            return std::nullopt;
        questions.push_back({static_cast<Int16>(value / 4), static_cast<KeptAnswer>(value % 4)});
    }
    return questions;
}

} // namespace pranoth
