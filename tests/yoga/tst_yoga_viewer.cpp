#include "fakes.h"

#include "yoga/asana_catalogue.h"
#include "yoga/yoga_viewer.h"

#include <QTest>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// What the viewer window shows: the last record it was given.
struct RecordScreen {
    void show(const std::optional<YogaRecord> &record)
    {
        if (!record)
            return;
        text.clear();
        for (const Section &section : record->text)
            text += section.text;
        picture = record->picture;
        title = record->chakraTitle;
    }
    std::string text;
    int picture = 0;
    std::string title = "Chakra Name";
};

struct Viewer {
    explicit Viewer(std::array<bool, ChakraSlots> needed)
    {
        buildYogaPlan(needed, plan);
        view.show(viewer.open());
    }
    void next() { view.show(viewer.next()); }
    void previous() { view.show(viewer.previous()); }
    std::string asanaName() const
    {
        const auto start = view.text.find("\r\n") + 2;
        return view.text.substr(start, view.text.find("\r\n", start) - start);
    }
    YogaPlanList plan{};
    RecordScreen view;
    FakePlatform platform;
    YogaViewer viewer{plan, platform};
};

} // namespace

class tst_YogaViewer : public QObject {
    Q_OBJECT

private slots:
    void throatPlanPagesThroughItsFiveRecords()
    {
        Viewer throat({false, false, false, false, true, false, false, false});
        QCOMPARE(throat.viewer.currentSlot(), 8);
        QCOMPARE(throat.asanaName(), std::string("Matsyasana"));
        QCOMPARE(throat.view.title, std::string("Throat Chakra (Vishuddha)"));
        QCOMPARE(throat.view.picture, 5);

        throat.previous();
        QCOMPARE(int(throat.platform.messages.size()), 1);
        QCOMPARE(throat.platform.messages[0].text, std::string("You are at the first record"));
        QCOMPARE(throat.platform.messages[0].icon, MessageIcon::Critical);
        QCOMPARE(throat.viewer.currentSlot(), 8);
        QCOMPARE(throat.asanaName(), std::string("Matsyasana"));

        const std::vector<std::string> names{"Halasana", "Ustrasana", "Bhujangasana",
                                             "Sarvangasana"};
        for (const std::string &name : names) {
            throat.next();
            QCOMPARE(throat.asanaName(), name);
        }
        QCOMPARE(throat.viewer.currentSlot(), 12);
        QCOMPARE(throat.view.picture, 9);
        const std::string shown = throat.view.text;
        throat.next(); // at the end: silent, unchanged
        QCOMPARE(throat.viewer.currentSlot(), 12);
        QCOMPARE(throat.view.text, shown);
        QCOMPARE(int(throat.platform.messages.size()), 1);
    }

    void backSkipsSlotsThatAreNotApplicable()
    {
        Viewer viewer({true, false, true, false, false, false, false, false});
        QCOMPARE(viewer.viewer.currentSlot(), 0);
        viewer.next();
        QCOMPARE(viewer.viewer.currentSlot(), 3);
        QCOMPARE(viewer.asanaName(), std::string("Mayurasana"));
        viewer.previous();
        QCOMPARE(viewer.viewer.currentSlot(), 0);
        QCOMPARE(viewer.asanaName(), std::string("Mandukasana"));
        QCOMPARE(viewer.view.title, std::string("Root Chakra (Muladhara)"));
        // At the first record every Back says so; one Next then moves on.
        viewer.previous();
        viewer.previous();
        QCOMPARE(int(viewer.platform.messages.size()), 2);
        viewer.next();
        QCOMPARE(viewer.viewer.currentSlot(), 3);
    }

    void yogaMudraIsTheSameRecordForEachOfItsChakras()
    {
        Viewer viewer({false, false, false, true, false, true, true, false});
        std::vector<std::string> texts;
        std::vector<std::string> titles;
        for (int page = 0; page < 6; ++page) {
            if (viewer.asanaName() == "Yoga Mudra") {
                texts.push_back(viewer.view.text);
                titles.push_back(viewer.view.title);
                QCOMPARE(viewer.view.picture, 6);
            }
            viewer.next();
        }
        QCOMPARE(int(texts.size()), 3);
        QCOMPARE(texts[0], texts[1]);
        QCOMPARE(texts[1], texts[2]);
        QCOMPARE(titles,
                 (std::vector<std::string>{"Heart Chakra (Anahata)", "Third Eye Chakra (Ajna)",
                                           "Crown Chakra (Sahasrara)"}));
    }

    void anEmptyPlanShowsNothing()
    {
        Viewer viewer({});
        QVERIFY(viewer.view.text.empty());
        QCOMPARE(viewer.view.title, std::string("Chakra Name"));
        QCOMPARE(viewer.view.picture, 0);
        QVERIFY(viewer.platform.messages.empty());
    }
};

QTEST_APPLESS_MAIN(tst_YogaViewer)
#include "tst_yoga_viewer.moc"
