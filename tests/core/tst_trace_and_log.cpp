#include <QtTest>

#include "common/AppFolders.h"
#include "common/SessionLog.h"
#include "common/TraceRing.h"
#include "platform/KeyboardLayout.h"
#include "settings/uIniFiles.h"

class TestTraceAndLog : public QObject {
    Q_OBJECT
private slots:
    void ringKeepsTheNewestHundred() {
        ClearTrace();
        for (int i = 1; i <= 150; ++i)
            AddTrace(i % 100, QString::number(i));
        const QStringList lines = TraceLines();
        QCOMPARE(lines.size(), 100);
        QCOMPARE(lines.first(), QStringLiteral("51;51"));
        QCOMPARE(lines.last(), QStringLiteral("50;150"));
    }

    void ringWrapsNumbersAndHonoursSuspension() {
        ClearTrace();
        AddTrace(300, QStringLiteral("x"));
        AddTrace(-1);
        TraceSuspended = true;
        AddTrace(5, QStringLiteral("hidden"));
        TraceSuspended = false;
        QCOMPARE(TraceLines(), QStringList({QStringLiteral("44;x"), QStringLiteral("255;")}));
    }

    void keyboardLayoutIdentifiers() {
        QCOMPARE(KeyboardLayoutTextForLocale(QStringLiteral("en_US")), QStringLiteral("00000409"));
        QCOMPARE(KeyboardLayoutTextForLocale(QStringLiteral("nl-BE")), QStringLiteral("00000813"));
        QCOMPARE(KeyboardLayoutTextForLocale(QStringLiteral("de_DE.UTF-8")),
                 QStringLiteral("00000407"));
        QCOMPARE(KeyboardLayoutTextForLocale(QStringLiteral("fr_LU")), QStringLiteral("0000040C"));
        QCOMPARE(KeyboardLayoutTextForLocale(QStringLiteral("C")), QStringLiteral("0"));
        QCOMPARE(KeyboardLayoutTextForLocale(QString()), QStringLiteral("0"));
        // The X keyboard's layout of the active group, its variant where the language differs.
        const QByteArray names("evdev\0pc105\0us,de,ch\0,,fr\0grp:alt_shift_toggle\0", 47);
        QCOMPARE(KeyboardLayoutTextForXkb(names, 0), QStringLiteral("00000409"));
        QCOMPARE(KeyboardLayoutTextForXkb(names, 1), QStringLiteral("00000407"));
        QCOMPARE(KeyboardLayoutTextForXkb(names, 2), QStringLiteral("0000100C"));
        QCOMPARE(KeyboardLayoutTextForXkb(names, 7), QStringLiteral("00000409"));
        QCOMPARE(KeyboardLayoutTextForXkb(QByteArray("evdev\0pc105\0xx\0\0\0", 17), 0),
                 QStringLiteral("0"));
    }

    void sessionLogOnlyWhenSwitchedOn() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KEY1.txt"));
        settings().SessionLog = false;
        SetSessionLogFile(path);
        WriteSessionLog(QStringLiteral("line"));
        QVERIFY(!QFile::exists(path));

        settings().SessionLog = true;
        SetSessionLogFile(QString());
        WriteSessionLog(QStringLiteral("line")); // no logon yet: nowhere to write

        SetSessionLogFile(path);
        WriteSessionLog(QStringLiteral("first"));
        WriteSessionLog(QStringLiteral("second"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("first\r\nsecond\r\n"));

        // A folder that vanished is swallowed, not reported.
        SetSessionLogFile(dir.filePath(QStringLiteral("missing/KEY2.txt")));
        WriteSessionLog(QStringLiteral("lost"));
        settings().SessionLog = false;
    }

    void sessionKeysNameFilesOnlyInTheGatewaysAlphabet() {
        appFolders().SessionLogs = QStringLiteral("/logs/");
        ClearTrace();
        const QString longest(64, QLatin1Char('k'));
        QCOMPARE(SessionLogPathForKey(QStringLiteral("AB12cd")),
                 QStringLiteral("/logs/AB12cd.txt"));
        QCOMPARE(SessionLogPathForKey(longest), "/logs/" + longest + ".txt");
        QVERIFY(TraceLines().isEmpty());
        const QStringList unfit{QString(),
                                longest + "k",
                                QStringLiteral("../x"),
                                QStringLiteral("a/b"),
                                QStringLiteral("a\\b"),
                                QStringLiteral("C:x"),
                                QStringLiteral("k y"),
                                QString::fromUtf8("K\xc3\x9c"),
                                QString(QStringLiteral("k\0x"))};
        for (const QString &key : unfit)
            QCOMPARE(SessionLogPathForKey(key), QStringLiteral("/logs/session.txt"));
        QCOMPARE(TraceLines().size(), unfit.size());
        QCOMPARE(TraceLines().at(1), QStringLiteral("70;Key unfit for a file name, length 65"));
        appFolders() = AppFolders();
    }
};

QTEST_GUILESS_MAIN(TestTraceAndLog)
#include "tst_trace_and_log.moc"
