#include "settings/PrivateProfile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestPrivateProfile : public QObject {
    Q_OBJECT
private slots:
    void readsLikeTheWindowsFunctions();
    void ignoresWhatIsNoEntry();
    void readsIntegersStrictly();
    void refusesOversizedInput();
    void decodesUtf8AndFallsBackToCp1252();
    void writesInPlaceAndKeepsUnknownContent();
    void writingCannotInjectLines();
};

void TestPrivateProfile::readsLikeTheWindowsFunctions() {
    PrivateProfile p;
    p.parse("[data]\r\n"
            "  UserCode  =  alice smith  \r\n"
            "usercode=second\r\n"
            "Note=a = b ; not a comment\r\n"
            "Empty=\r\n"
            "[DATA]\r\n"
            "Other=from the duplicate section\r\n");
    QCOMPARE(p.value("Data", "USERCODE"), std::optional<QString>("alice smith"));
    QCOMPARE(p.readString("Data", "Note"), QString("a = b ; not a comment"));
    QCOMPARE(p.value("Data", "Empty"), std::optional<QString>(QString()));
    // The first section of a name is the only one looked at.
    QCOMPARE(p.value("Data", "Other"), std::nullopt);
    QCOMPARE(p.readString("Data", "Missing", "fallback"), QString("fallback"));
    QCOMPARE(p.value("Window", "Top"), std::nullopt);
}

void TestPrivateProfile::ignoresWhatIsNoEntry() {
    PrivateProfile p;
    p.parse("Top=1\n" // before any section
            "[ Window ] trailing\n"
            "; Left=5\n"
            "Width 7\n"
            "=9\n"
            "[broken\n"
            "Height=3\n");
    QCOMPARE(p.value("Window", "Top"), std::nullopt);
    QCOMPARE(p.value("Window", "Left"), std::nullopt);
    QCOMPARE(p.value("Window", "Width"), std::nullopt);
    QCOMPARE(p.value("Window", ""), std::nullopt);
    // A header without "]" is no header: the key stays in [Window].
    QCOMPARE(p.readInt("Window", "Height", 0), 3);
}

void TestPrivateProfile::readsIntegersStrictly() {
    PrivateProfile p;
    p.parse("[S]\nA=-7\nB=0x10\nC=12abc\nD=\nE=99999999999\nF=1.5\n");
    QCOMPARE(p.readInt("S", "A", -1), -7);
    QCOMPARE(p.readInt("S", "B", -1), 16);
    for (const char *bad : {"C", "D", "E", "F"})
        QCOMPARE(p.readInt("S", bad, -1), -1);
    QCOMPARE(p.readBool("S", "A", false), true);
    QCOMPARE(p.readBool("S", "C", true), true);
}

void TestPrivateProfile::refusesOversizedInput() {
    PrivateProfile p;
    QByteArray big = "[S]\nA=1\n";
    big.append(PrivateProfile::MaxFileSize, ';');
    p.parse(big);
    QVERIFY(p.isEmpty());

    const QByteArray longValue(PrivateProfile::MaxLineLength, 'x');
    p.parse("[S]\nA=" + longValue + "\nB=2\n");
    QCOMPARE(p.value("S", "A"), std::nullopt);
    QCOMPARE(p.readInt("S", "B", 0), 2);
    // The long line is kept as it was, not cut.
    QVERIFY(p.serialize().contains("A=" + longValue + "\n"));

    QTemporaryDir dir;
    QFile f(dir.filePath("big.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(big);
    f.close();
    QVERIFY(!p.load(f.fileName()));
    QVERIFY(p.isEmpty());
    // Only a file that is there and cannot be read whole is one a writer must not replace.
    QCOMPARE(p.loadFile(f.fileName()), PrivateProfile::FileState::Unreadable);
    QCOMPARE(p.loadFile(dir.filePath("missing.ini")), PrivateProfile::FileState::Absent);
    QCOMPARE(p.loadFile(dir.path()), PrivateProfile::FileState::Absent);
    // A FIFO is not opened (that would wait for a writer for ever).
    const QString fifo = dir.filePath("fifo.ini");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(p.loadFile(fifo), PrivateProfile::FileState::Unreadable);
}

void TestPrivateProfile::decodesUtf8AndFallsBackToCp1252() {
    PrivateProfile p;
    p.parse("\xEF\xBB\xBF[Data]\nUserCode=J\xC3\xBCrgen\n");
    QCOMPARE(p.readString("Data", "UserCode"), QString::fromUtf8("J\xC3\xBCrgen"));
    // A file written on Windows in its ANSI code page.
    p.parse("[Data]\nUserCode=J\xFCrgen \x80\n");
    QCOMPARE(p.readString("Data", "UserCode"), QString::fromUtf8("J\xC3\xBCrgen \xE2\x82\xAC"));
}

void TestPrivateProfile::writesInPlaceAndKeepsUnknownContent() {
    PrivateProfile p;
    p.parse("; kept comment\n"
            "[window]\n"
            "TOP = 5\n"
            "Custom=keep me\n"
            "\n"
            "[Plugin]\n"
            "X=1\n");
    p.setInt("Window", "Top", 7);
    p.setInt("Window", "Left", 3);
    p.setValue("Data", "UserCode", "bob");
    QCOMPARE(p.serialize(), QByteArray("; kept comment\n"
                                       "[window]\n"
                                       "TOP=7\n"
                                       "Custom=keep me\n"
                                       "Left=3\n"
                                       "\n"
                                       "[Plugin]\n"
                                       "X=1\n"
                                       "\n"
                                       "[Data]\n"
                                       "UserCode=bob\n"));

    PrivateProfile fresh;
    fresh.setBool("A", "k", true);
    fresh.setBool("B", "k", false);
    QCOMPARE(fresh.serialize(), QByteArray("[A]\nk=1\n\n[B]\nk=0\n"));

    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    QVERIFY(p.save(path));
    PrivateProfile reread;
    QVERIFY(reread.load(path));
    QCOMPARE(reread.serialize(), p.serialize());
}

void TestPrivateProfile::writingCannotInjectLines() {
    PrivateProfile p;
    p.setValue("Data", "UserCode", "eve\r\n[Data]\nPassword=x");
    PrivateProfile reread;
    reread.parse(p.serialize());
    QCOMPARE(reread.value("Data", "Password"), std::nullopt);
    QCOMPARE(reread.readString("Data", "UserCode"), QString("eve  [Data] Password=x"));
}

QTEST_GUILESS_MAIN(TestPrivateProfile)
#include "tst_private_profile.moc"
