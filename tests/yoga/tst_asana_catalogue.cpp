#include "yoga/asana_catalogue.h"

#include <QRegularExpression>
#include <QTest>

#include <string>
#include <vector>

using namespace pranoth;

namespace {

std::vector<std::string> linesOf(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", start)) {
        lines.emplace_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

bool numberedFromOne(const std::vector<std::string> &lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string prefix = std::to_string(i + 1) + ". ";
        if (lines[i].rfind(prefix, 0) != 0 || lines[i].size() == prefix.size())
            return false;
    }
    return true;
}

bool hasStrayBreak(std::string_view text)
{
    // Only CR LF pairs between lines; nothing at either end.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool strayCr = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
        const bool strayLf = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
        if (strayCr || strayLf)
            return true;
    }
    return text.starts_with("\r\n") || text.ends_with("\r\n") || text.ends_with(' ');
}

} // namespace

class tst_AsanaCatalogue : public QObject {
    Q_OBJECT

private slots:
    void recordsHaveTheirShape_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("englishName");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("benefitLines"); // 0: one unnumbered sentence
        QTest::addColumn<bool>("hasCautions");
        // Seconds as the procedure gives them ("6-8 seconds"), or the
        // program's choice where it gives none; "each side" where it is
        // repeated on the other side.
        QTest::addColumn<QString>("hold");
        QTest::newRow("frog") << 0 << "Mandukasana"
                              << "Frog Pose" << 7 << 4 << true << "6-8";
        QTest::newRow("cobra") << 1 << "Bhujangasana"
                               << "Half- Cobra Pose" << 6 << 0 << true << "10-15";
        QTest::newRow("peacock") << 2 << "Mayurasana"
                                 << "Feathered Peacock Pose" << 6 << 5 << true << "3-5 chosen";
        QTest::newRow("bow") << 3 << "Dhanurasana"
                             << "Bow Pose" << 8 << 4 << false << "10-15";
        QTest::newRow("fish") << 4 << "Matsyasana"
                              << "Fish Pose" << 7 << 4 << true << "10-20";
        QTest::newRow("scaling") << 5 << "Yoga Mudra"
                                 << "Scaling Pose" << 6 << 5 << false << "6-8";
        QTest::newRow("camel") << 6 << "Ustrasana"
                               << "Camel Pose" << 4 << 3 << false << "10-20";
        QTest::newRow("plough") << 7 << "Halasana"
                                << "Plough Posture" << 5 << 3 << true << "10-30";
        QTest::newRow("shoulder stand") << 8 << "Sarvangasana"
                                        << "Shoulder Stand Pose" << 4 << 6 << true << "20-30";
        QTest::newRow("twist") << 9 << "Ardhamatsyendrasana"
                               << "Twist Pose" << 6 << 4 << false << "20-30 each side";
        QTest::newRow("lotus") << 10 << "Padmasana"
                               << "Lotus Pose" << 6 << 0 << true << "30-60 chosen";
    }
    void recordsHaveTheirShape()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, englishName);
        QFETCH(int, steps);
        QFETCH(int, benefitLines);
        QFETCH(bool, hasCautions);
        QFETCH(QString, hold);
        const Asana &asana = fillAsanaCatalogue()[static_cast<std::size_t>(index)];

        QCOMPARE(QString::fromStdString(std::string(asana.name)), name);
        QCOMPARE(QString::fromStdString(std::string(asana.englishName)), englishName);
        QVERIFY(!asana.description.empty());
        for (const std::string_view field :
             {asana.name, asana.englishName, asana.description, asana.cautions})
            QVERIFY(field.find_first_of("\r\n") == std::string_view::npos);

        const auto procedure = linesOf(asana.procedure);
        QCOMPARE(int(procedure.size()), steps);
        QVERIFY(numberedFromOne(procedure));
        QVERIFY(!hasStrayBreak(asana.procedure));

        const auto benefits = linesOf(asana.benefits);
        if (benefitLines == 0) {
            QCOMPARE(int(benefits.size()), 1);
            QVERIFY(!numberedFromOne(benefits));
            QVERIFY(asana.benefits.ends_with('.'));
        } else {
            QCOMPARE(int(benefits.size()), benefitLines);
            QVERIFY(numberedFromOne(benefits));
        }
        QVERIFY(!hasStrayBreak(asana.benefits));
        QCOMPARE(!asana.cautions.empty(), hasCautions);

        const QString procedureText = QString::fromLatin1(
            asana.procedure.data(), static_cast<qsizetype>(asana.procedure.size()));
        const auto given =
            QRegularExpression(QStringLiteral("(\\d+)-(\\d+) seconds")).match(procedureText);
        QCOMPARE(given.hasMatch(), !hold.endsWith(QLatin1String(" chosen")));
        if (given.hasMatch())
            QVERIFY(hold.startsWith(given.captured(1) + QLatin1Char('-') + given.captured(2)));
        QCOMPARE(
            QStringLiteral("%1-%2").arg(asana.hold.shortestSeconds).arg(asana.hold.longestSeconds),
            hold.section(QLatin1Char(' '), 0, 0));
        QCOMPARE(asana.hold.eachSide, hold.endsWith(QLatin1String("each side")));
        QCOMPARE(asana.hold.eachSide, procedureText.contains(QLatin1String("on the other side")));
    }

    void givenTextsAreKeptExactly()
    {
        const auto &catalogue = fillAsanaCatalogue();
        QVERIFY(&catalogue == &AsanaCatalogue);
        QCOMPARE(catalogue[0].procedure.substr(0, 30),
                 std::string_view("1. Sit up in Vajrasana. Keep y"));
        QVERIFY(catalogue[0].procedure.ends_with(
            "\r\n7. Try to press the tailbone more towards your heels and retain this posture for "
            "6-8 seconds."));
        QVERIFY(catalogue[5].benefits.ends_with(
            "\r\n5. It restores normal functioning of the lungs and the bronchial areas."));
        QCOMPARE(catalogue[1].benefits,
                 std::string_view("It reduces the accumulated fat in your lower stomach and also "
                                  "ensures increased blood circulation throughout your body."));
        QCOMPARE(catalogue[10].benefits,
                 std::string_view("Padmasana balances our body, mind and the soul. Apart form "
                                  "this it also helps us to relax, concentrate and meditate."));
    }

    void theSpareEntryIsEmpty()
    {
        const Asana &spare = AsanaCatalogue[11];
        for (const std::string_view field : {spare.name, spare.description, spare.englishName,
                                             spare.procedure, spare.benefits, spare.cautions})
            QVERIFY(field.empty());
    }

    void picturesFollowTheCatalogueFromOne()
    {
        QCOMPARE(asanaPicturePosition(0), 1);
        QCOMPARE(asanaPicturePosition(10), 11);
        QCOMPARE(asanaPictureFile(1), std::string_view("01Mandukasana.jpg"));
        QCOMPARE(asanaPictureFile(6), std::string_view("06Yoga Mudra.jpg"));
        QCOMPARE(asanaPictureFile(11), std::string_view("11Padmasana.jpg"));
        QVERIFY(asanaPictureFile(0).empty());
        QVERIFY(asanaPictureFile(12).empty());
        for (int i = 0; i < AsanaCount; ++i) {
            const auto file = asanaPictureFile(asanaPicturePosition(i));
            // "NN" + the asana's name without spaces... except Yoga Mudra, which keeps it.
            QVERIFY(file.ends_with(".jpg"));
            QVERIFY(file.find(AsanaCatalogue[static_cast<std::size_t>(i)].name) == 2);
        }
    }
};

QTEST_APPLESS_MAIN(tst_AsanaCatalogue)
#include "tst_asana_catalogue.moc"
