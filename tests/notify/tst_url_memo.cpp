#include <QtTest>

#include "ui/UrlMemoText.h"

class TestUrlMemo : public QObject {
    Q_OBJECT

private slots:
    void findsAddresses_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("urls");
        QTest::newRow("https with trailing dot")
            << "See https://status.quorvia.example/now."
            << QStringList{"https://status.quorvia.example/now"};
        QTest::newRow("www gets a scheme, bracket dropped")
            << "(www.quorvia.example/shop)" << QStringList{"http://www.quorvia.example/shop"};
        QTest::newRow("two, case-insensitive")
            << "HTTP://a.example/x?y=1&z=2, and http://b.example!"
            << QStringList{"HTTP://a.example/x?y=1&z=2", "http://b.example"};
        QTest::newRow("inside a word is no address")
            << "xwww.a.example abchttp://b.example" << QStringList{};
        QTest::newRow("scheme alone") << "http:// and https://." << QStringList{};
        QTest::newRow("quote ends it")
            << "\"http://a.example/\"><script>" << QStringList{"http://a.example/"};
        QTest::newRow("other schemes are not links")
            << "javascript:alert(1) file:///etc" << QStringList{};
    }
    void findsAddresses() {
        QFETCH(QString, text);
        QFETCH(QStringList, urls);
        QStringList found;
        for (const WebAddress &a : FindWebAddresses(text)) {
            QVERIFY(a.start >= 0 && a.start + a.length <= text.size());
            found << a.url;
        }
        QCOMPARE(found, urls);
    }

    void htmlEscapesAndBreaksLines() {
        const QString html = UrlMemoHtml(
            QStringLiteral("<b>bold</b> & \"q\"\r\nline2\rline3\nhttp://a.example/?a=1&b=<2>"));
        QVERIFY(!html.contains(QStringLiteral("<b>")));
        QVERIFY(html.contains(QStringLiteral("&lt;b&gt;bold&lt;/b&gt; &amp; &quot;q&quot;")));
        QCOMPARE(html.count(QStringLiteral("<br>")), 3);
        QVERIFY(html.contains(QStringLiteral("<a href=\"http://a.example/?a=1&amp;b=\">")));
        QVERIFY(html.endsWith(QStringLiteral("&lt;2&gt;")));
    }

    void boundsItsInput() {
        const QString huge =
            QString(UrlMemoMaxChars, QLatin1Char('a')) + QStringLiteral(" http://late.example");
        QVERIFY(FindWebAddresses(huge).isEmpty());
        QCOMPARE(UrlMemoHtml(huge).size(), UrlMemoMaxChars);
    }
};

QTEST_MAIN(TestUrlMemo)
#include "tst_url_memo.moc"
