#include <QtTest>
#include "gateway/Url_Utils.h"
class TestGatewayHelpers : public QObject {
    Q_OBJECT
private slots:
    void encode() { QCOMPARE(EncodeQueryValue("a b-c.d"), QByteArray("a%20b%2Dc%2Ed")); }
};
QTEST_GUILESS_MAIN(TestGatewayHelpers)
#include "tst_gateway_helpers.moc"
