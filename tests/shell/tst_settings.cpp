#include "fakes.h"

#include "shell/qt_platform.h"
#include "shell/qt_settings.h"
#include "shell/settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace pranoth;
using namespace pranoth::testing;

class tst_Settings : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    QString fileWith(const QByteArray &content)
    {
        const QString path = folder.filePath(QStringLiteral("pranoth.ini"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
        return path;
    }

private slots:
    void init() { QFile::remove(folder.filePath(QStringLiteral("pranoth.ini"))); }

    void durationIsStoredShifted()
    {
        const std::string key = shiftedForm("Duration");
        const std::vector<int> codes{153, 202, 199, 182, 201, 190, 196, 195};
        QCOMPARE(key.size(), codes.size());
        for (std::size_t i = 0; i < codes.size(); ++i)
            QCOMPARE(int(static_cast<unsigned char>(key[i])), codes[i]);
        QCOMPARE(unshiftedForm(key), std::string("Duration"));
    }

    void dateTimeTextsReadBackUnchanged()
    {
        for (const std::string text : {"12/7/2026 9:30:00 AM", "2026-12-07T21:05:59", ""}) {
            const std::string stored = shiftedForm(text);
            QCOMPARE(stored.size(), text.size());
            for (std::size_t i = 0; i < text.size(); ++i)
                QCOMPARE(static_cast<unsigned char>(stored[i]),
                         static_cast<unsigned char>(text[i] + 85));
            QCOMPARE(unshiftedForm(stored), text);
        }
    }

    void charactersThatWouldLeaveTheRangeAreDropped()
    {
        QCOMPARE(shiftedForm("a\xAB"
                             "b\xFF"),
                 shiftedForm("ab"));                                            // 171 and 255
        QCOMPARE(int(static_cast<unsigned char>(shiftedForm("\xAA")[0])), 255); // 170 still fits
        QCOMPARE(unshiftedForm(std::string("\x10\x54\x55", 3)), std::string(1, '\0'));
    }

    void settingsGoThroughTheSectionShifted()
    {
        FakePlatform platform;
        QCOMPARE(readSetting(platform, "Duration"), std::string());
        saveSetting(platform, "Duration", "2026-12-07T09:30:00");
        QCOMPARE(platform.settings.size(), std::size_t(1));
        const auto &[where, value] = *platform.settings.begin();
        QCOMPARE(where, "Settings/" + shiftedForm("Duration"));
        QCOMPARE(value, shiftedForm("2026-12-07T09:30:00"));
        QCOMPARE(readSetting(platform, "Duration"), std::string("2026-12-07T09:30:00"));
    }

    void theSettingsFileKeepsShiftedBytes()
    {
        const QString path = fileWith({});
        const std::string key = shiftedForm("Duration");
        const std::string value = shiftedForm("2026-12-07T09:30:00");
        {
            const QtSettingsFile file(path);
            QVERIFY(file.read("Settings", key).empty());
            file.write("Settings", key, value);
            QCOMPARE(file.read("Settings", key), value);
        }
        // On the disk once the file is let go of, and read back from there.
        QVERIFY(QFile(path).size() > 0);
        QCOMPARE(QtSettingsFile(path).read("Settings", key), value);
    }

    void thePlatformKeepsItsSettingsInItsFile()
    {
        const QString path = fileWith({});
        QtPlatform platform(folder.filePath(QStringLiteral("lock")), path);
        saveSetting(platform, "Duration", "2026-12-07T09:30:00");
        QCOMPARE(readSetting(platform, "Duration"), std::string("2026-12-07T09:30:00"));
        QCOMPARE(QtSettingsFile(path).read("Settings", shiftedForm("Duration")),
                 shiftedForm("2026-12-07T09:30:00"));
    }

    void aBrokenFileReadsAsEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("\x00\xff\xfe garbage [[[ = = \n\x01\x02", 20);
        QTest::newRow("truncated") << QByteArray("[Settings]\n%U0099%U00CA=");
        QTest::newRow("section only") << QByteArray("[Settings");
        QTest::newRow("binary") << QByteArray(4096, '\xC3');
    }
    void aBrokenFileReadsAsEmpty()
    {
        QFETCH(QByteArray, content);
        const QtSettingsFile file(fileWith(content));
        QVERIFY(file.read("Settings", shiftedForm("Duration")).size() < 64);
        // It can still be written over.
        file.write("Settings", shiftedForm("Duration"), shiftedForm("2026-12-07T09:30:00"));
    }

    void anUnwritableFileIsSilent()
    {
        QTemporaryDir locked;
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner);
        const QtSettingsFile file(locked.filePath(QStringLiteral("sub/pranoth.ini")));
        file.write("Settings", "key", "value");
        // Root may write anyway; either way nothing fails loudly.
        QVERIFY(file.read("Settings", "key").empty() || file.read("Settings", "key") == "value");
        QFile::setPermissions(locked.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // A full disk: the write fails without a word.
        const QtSettingsFile full(QStringLiteral("/dev/full"));
        full.write("Settings", "key", "value");
    }
};

QTEST_MAIN(tst_Settings)
#include "tst_settings.moc"
