#include "platform/ComputerName.h"
#include "settings/PasswordCipher.h"

#include <QtTest>

class TestPasswordCipher : public QObject {
    Q_OBJECT
private slots:
    void lengthFollowsTheBlockLayout_data();
    void lengthFollowsTheBlockLayout();
    void roundTrips();
    void formatStaysReadable();
    void refusesWhatDoesNotDecipher();
    void ignoresBytesAfterTheLastBlock();
    void keyDependsOnTheComputerName();
    void computerNameLooksLikeWindows();
};

void TestPasswordCipher::lengthFollowsTheBlockLayout_data() {
    QTest::addColumn<int>("plainLength");
    QTest::addColumn<int>("base64Length");
    QTest::newRow("empty") << 0 << 24;
    QTest::newRow("15") << 15 << 24;
    QTest::newRow("16") << 16 << 44;
    QTest::newRow("32") << 32 << 64;
}

void TestPasswordCipher::lengthFollowsTheBlockLayout() {
    QFETCH(int, plainLength);
    QFETCH(int, base64Length);
    const PasswordCipher cipher(QStringLiteral("WORKSTATION"));
    const auto text = cipher.EncipherSetting(QByteArray(plainLength, 'p'));
    QVERIFY(text);
    QCOMPARE(text->size(), base64Length);
    QVERIFY(!text->contains('\n'));
    QCOMPARE(QByteArray::fromBase64(*text).size(), (plainLength / 16 + 1) * 16);
}

void TestPasswordCipher::roundTrips() {
    const PasswordCipher cipher(QStringLiteral("WORKSTATION"));
    const QByteArray nonAscii = QStringLiteral("Pässwört €uro 密码").toUtf8();
    for (const QByteArray &plain :
         {QByteArray(), QByteArray("a"), QByteArray(16, 'x'), QByteArray("0123456789abcdef0"),
          nonAscii, QByteArray(PasswordCipher::MaxPlainBytes, '\0')}) {
        const auto text = cipher.EncipherSetting(plain);
        QVERIFY(text);
        QCOMPARE(cipher.DecipherSetting(*text), std::optional<QByteArray>(plain));
    }
    QCOMPARE(cipher.EncipherSetting(QByteArray(PasswordCipher::MaxPlainBytes + 1, 'x')),
             std::nullopt);
}

void TestPasswordCipher::formatStaysReadable() {
    // Files written by this version must stay readable by every later one. The value comes
    // from the openssl tool, not from this code:
    //   key=$(printf 'Quorvia settings password key v1\0TESTPC' | sha256sum | cut -d' ' -f1)
    //   printf 'secret\0\0\0\0\0\0\0\0\0\x06' | openssl enc -aes-256-ecb -nopad -K $key | base64
    const QByteArray known = "/W8UHaO/4R0bCTOYDyAqdQ==";
    const PasswordCipher cipher(QStringLiteral("TESTPC"));
    QCOMPARE(cipher.EncipherSetting("secret"), std::optional<QByteArray>(known));
    QCOMPARE(cipher.DecipherSetting(known), std::optional<QByteArray>("secret"));
}

void TestPasswordCipher::refusesWhatDoesNotDecipher() {
    const PasswordCipher cipher(QStringLiteral("WORKSTATION"));
    const QByteArray good = *cipher.EncipherSetting("secret");
    QVERIFY(cipher.DecipherSetting(good));

    QByteArray badChar = good;
    badChar[3] = '@'; // between "+" and "z", yet no Base64 character
    QCOMPARE(cipher.DecipherSetting(badChar), std::nullopt);
    QCOMPARE(cipher.DecipherSetting(good + " "), std::nullopt);
    QCOMPARE(cipher.DecipherSetting(QByteArray(15, 'A').toBase64()), std::nullopt);
    QCOMPARE(cipher.DecipherSetting(""), std::nullopt);
    QCOMPARE(cipher.DecipherSetting(QByteArray(PasswordCipher::MaxCipherTextChars + 4, 'A')),
             std::nullopt);

    // A block whose last byte counts more than 15: the first block of a 16-byte text ends in
    // the plain byte 'z'.
    const QByteArray twoBlocks =
        QByteArray::fromBase64(*cipher.EncipherSetting(QByteArray("aaaaaaaaaaaaaaaz")));
    QCOMPARE(cipher.DecipherSetting(twoBlocks.first(16).toBase64()), std::nullopt);
}

void TestPasswordCipher::ignoresBytesAfterTheLastBlock() {
    const PasswordCipher cipher(QStringLiteral("WORKSTATION"));
    const QByteArray raw = QByteArray::fromBase64(*cipher.EncipherSetting("secret"));
    QCOMPARE(cipher.DecipherSetting((raw + "12345").toBase64()),
             std::optional<QByteArray>("secret"));
}

void TestPasswordCipher::keyDependsOnTheComputerName() {
    const PasswordCipher here(QStringLiteral("HERE"));
    const PasswordCipher there(QStringLiteral("THERE"));
    QVERIFY(*here.EncipherSetting("secret") != *there.EncipherSetting("secret"));
    QVERIFY(there.DecipherSetting(*here.EncipherSetting("secret")) !=
            std::optional<QByteArray>("secret"));
}

void TestPasswordCipher::computerNameLooksLikeWindows() {
    QCOMPARE(ComputerNameFromHostName("my-laptop.example.org"), QString("MY-LAPTOP"));
    QCOMPARE(ComputerNameFromHostName("averyveryverylongname"), QString("AVERYVERYVERYLO"));
    QCOMPARE(ComputerNameFromHostName(""), QString("LOCALHOST"));
    QVERIFY(!ComputerName().isEmpty());
    QVERIFY(ComputerName().size() <= 15);
}

QTEST_GUILESS_MAIN(TestPasswordCipher)
#include "tst_password_cipher.moc"
