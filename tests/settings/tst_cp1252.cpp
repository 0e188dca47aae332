#include "common/Cp1252.h"

#include <QtTest>

class TestCp1252 : public QObject {
    Q_OBJECT
private slots:
    void encodes();
    void decodes();
    void everyByteSurvivesARoundTrip();
};

void TestCp1252::encodes() {
    QCOMPARE(toCp1252(QStringLiteral("Abc 123")), QByteArray("Abc 123"));
    QCOMPARE(toCp1252(QStringLiteral("Grüße €5 – “x” …")),
             QByteArray("Gr\xFC\xDF\x65 \x80\x35 \x96 \x93x\x94 \x85"));
    QCOMPARE(toCp1252(QStringLiteral("Ÿž™")), QByteArray("\x9F\x9E\x99"));
    // No Windows-1252 byte: one '?' per character, also outside the BMP and for lone halves.
    QCOMPARE(toCp1252(QStringLiteral("密😀x")), QByteArray("??x"));
    QCOMPARE(toCp1252(QString(QChar(0xD800)) + "a"), QByteArray("?a"));
    QCOMPARE(toCp1252(QString(QChar(0x0080))), QByteArray("?"));
}

void TestCp1252::decodes() {
    QCOMPARE(fromCp1252("\x80\x8A\x9C\xA0\xFF"), QStringLiteral("€Šœ\u00A0ÿ"));
    QCOMPARE(fromCp1252("\x81\x8D\x8F\x90\x9D"), QStringLiteral("\u0081\u008D\u008F\u0090\u009D"));
    QCOMPARE(fromCp1252(QByteArray("a\0b", 3)), QString(QStringLiteral("a")) + QChar(0) + "b");
}

void TestCp1252::everyByteSurvivesARoundTrip() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(toCp1252(fromCp1252(all)), all);
}

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
