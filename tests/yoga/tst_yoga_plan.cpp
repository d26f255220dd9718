#include "fakes.h"

#include "yoga/asana_catalogue.h"
#include "yoga/practice_plan.h"
#include "yoga/yoga_plan.h"

#include <QTest>

#include <algorithm>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

using Needs = std::array<bool, ChakraSlots>;

std::vector<std::pair<int, std::string>> applicable(const YogaPlanList &plan)
{
    std::vector<std::pair<int, std::string>> found;
    for (const YogaPlanSlot &slot : plan)
        if (slot.asana != -1)
            found.emplace_back(slot.asana, std::string(slot.chakraTitle));
    return found;
}

} // namespace

class tst_YogaPlan : public QObject {
    Q_OBJECT

private slots:
    // Practise Along takes each posture once, where it first comes, with every
    // chakra it serves, and holds it for the top of its range.
    void practicePlanHasEachPostureOnce()
    {
        Needs needs{};
        std::fill_n(needs.begin(), ChakraCount, true);
        YogaPlanList plan{};
        buildYogaPlan(needs, plan);
        const PracticePlan practice = buildPracticePlan(plan);
        const std::vector<SessionPosture> session = sessionPostures(practice);
        QStringList shown;
        for (std::size_t i = 0; i < practice.size(); ++i) {
            QStringList chakras;
            for (int k = 0; k < ChakraCount; ++k) {
                if (practice[i].chakras[asIndex(k)])
                    chakras << QString::number(k);
            }
            shown << QStringLiteral("%1:%2 %3s%4")
                         .arg(practice[i].asana)
                         .arg(chakras.join(QLatin1Char(',')))
                         .arg(session[i].holdSeconds)
                         .arg(session[i].eachSide ? QStringLiteral(" each side") : QString());
        }
        // The fish serves the navel and the throat, the scaling pose three chakras.
        QCOMPARE(shown.join(QStringLiteral("; ")),
                 QStringLiteral("0:0,1 8s; 1:1,4 15s; 2:2 5s; 3:2 15s; 4:2,4 20s; 5:3,5,6 8s; "
                                "6:3,4 20s; 7:4 30s; 8:4 30s; 9:5 30s each side; 10:6 60s"));
    }

    void throatAloneGetsItsFiveAsanas()
    {
        YogaPlanList plan;
        QVERIFY(buildYogaPlan({false, false, false, false, true, false, false, false}, plan));
        const std::string throat = "Throat Chakra (Vishuddha)";
        const std::vector<std::pair<int, std::string>> expected{
            {4, throat}, {7, throat}, {6, throat}, {1, throat}, {8, throat}};
        QVERIFY(applicable(plan) == expected);
        QCOMPARE(int(plan[8].asana), 4);
        QCOMPARE(int(plan[12].asana), 8);
    }

    void allSevenFillEverySlotOnce()
    {
        YogaPlanList plan;
        QVERIFY(buildYogaPlan({true, true, true, true, true, true, true, false}, plan));
        const std::vector<int> expected{0, 0, 1, 2, 3, 4, 5, 6, 4, 7, 6, 1, 8, 5, 9, 5, 10};
        for (int slot = 0; slot <= 16; ++slot)
            QCOMPARE(int(plan[slot].asana), expected[slot]);
        QCOMPARE(int(plan[17].asana), -1);
        QCOMPARE(plan[0].chakraTitle, std::string_view("Root Chakra (Muladhara)"));
        QCOMPARE(plan[1].chakraTitle, std::string_view("Sacral Chakra (Swadhisthanna)"));
        QCOMPARE(plan[16].chakraTitle, std::string_view("Crown Chakra (Sahasrara)"));
    }

    void noneNeededClearsAnEarlierPlan()
    {
        YogaPlanList plan;
        buildYogaPlan({true, true, true, true, true, true, true, false}, plan);
        // The spare slot 7 of the flags is not a chakra.
        QVERIFY(!buildYogaPlan({false, false, false, false, false, false, false, true}, plan));
        QVERIFY(applicable(plan).empty());
    }

    void recordsAreFoundInEitherDirection()
    {
        YogaPlanList plan;
        buildYogaPlan({true, false, true, false, false, false, false, false}, plan); // 0, 3..5
        QCOMPARE(findYogaRecord(plan, 0, SearchDirection::Forward), std::optional<int>(0));
        QCOMPARE(findYogaRecord(plan, 1, SearchDirection::Forward), std::optional<int>(3));
        QCOMPARE(findYogaRecord(plan, 2, SearchDirection::Backward), std::optional<int>(0));
        QCOMPARE(findYogaRecord(plan, 6, SearchDirection::Forward), std::nullopt);
        QCOMPARE(findYogaRecord(plan, -1, SearchDirection::Backward), std::nullopt);
        QCOMPARE(findYogaRecord(plan, 17, SearchDirection::Backward), std::nullopt);
        plan[17].asana = 3; // never searched
        QCOMPARE(findYogaRecord(plan, 6, SearchDirection::Forward), std::nullopt);
    }

    void recordWithCautions()
    {
        const Asana &frog = AsanaCatalogue[0];
        const auto part = [](SectionKind kind, std::string_view text) {
            return std::pair{kind, std::string(text)};
        };
        const auto heading = [&part](std::string_view text) {
            return part(SectionKind::PostureHeading, text);
        };
        const auto plain = [&part](std::string_view text) {
            return part(SectionKind::PostureText, text);
        };
        const std::vector<std::pair<SectionKind, std::string>> expected{
            heading("Asanas Name\r\n"),    part(SectionKind::PostureName, "Mandukasana\r\n\r\n"),
            heading("Description\r\n"),    plain(std::string(frog.description) + "\r\n\r\n"),
            heading("English Name\r\n"),   plain("Frog Pose\r\n\r\n"),
            heading("Procedure\r\n"),      plain(std::string(frog.procedure) + "\r\n\r\n"),
            heading("Benefits\r\n"),       plain(std::string(frog.benefits) + "\r\n\r\n"),
            heading("Contradictions\r\n"), plain(frog.cautions),
        };
        std::vector<std::pair<SectionKind, std::string>> record;
        for (const Section &section : asanaRecord(frog))
            record.emplace_back(section.kind, section.text);
        QVERIFY(record == expected);
    }

    void recordWithoutCautionsEndsAfterTheBenefits()
    {
        const Asana &scaling = AsanaCatalogue[5];
        const std::vector<Section> record = asanaRecord(scaling);
        std::string text;
        for (const Section &section : record)
            text += section.text;
        QVERIFY(text.find("Contradictions") == std::string::npos);
        QVERIFY(text.ends_with(std::string(scaling.benefits) + "\r\n\r\n"));
        QCOMPARE(record.back().kind, SectionKind::PostureText);
    }
};

QTEST_APPLESS_MAIN(tst_YogaPlan)
#include "tst_yoga_plan.moc"
