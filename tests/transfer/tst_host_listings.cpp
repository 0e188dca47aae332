#include "common/RemoteNames.h"
#include "common/Zlib.h"
#include "transfer/FileStreams.h"
#include "transfer/HostListings.h"

#include <QBuffer>
#include <QtTest>

using namespace HostListings;

// The readers of the host's texts and the file view's texts made from them, at the edges the
// host's forms have; and the names that may become local paths.
class TestHostListings : public QObject {
    Q_OBJECT
private slots:
    void listsAsTheHostWritesThem() {
        const DriveList d = ParseDriveList("C:-A:2-C:3-D:5-E:x-");
        QCOMPARE(d.first, QStringLiteral("C:"));
        QCOMPARE(d.drives.size(), 4);
        QCOMPARE(d.drives[0].name, QStringLiteral("A:"));
        QCOMPARE(d.drives[0].kind, 2);
        QCOMPARE(d.drives[2].kind, 5);
        QCOMPARE(d.drives[3].kind, -1); // not a digit: the unknown drive
        QVERIFY(ParseDriveList("").drives.isEmpty());

        const auto folders = ParseFolderList({"Sub\\", "Plain", ""});
        QCOMPARE(folders.size(), 2);
        QVERIFY(folders[0].hasSubfolders);
        QCOMPARE(folders[0].name, QStringLiteral("Sub"));
        QVERIFY(!folders[1].hasSubfolders);
        QVERIFY(ParseFolderList({"%Empty%", "Ghost"}).isEmpty());

        const auto files = ParseFileList(
            {"report.doc/24576/32", "big.img/4294971393/33", "odd/x/y", "a/b/10/32", "bare"});
        QCOMPARE(files.size(), 5);
        QCOMPARE(files[0].size, 24576);
        QCOMPARE(files[1].size, Q_INT64_C(4294971393));
        QCOMPARE(files[2].size, 0); // a field that does not parse counts as 0
        QCOMPARE(files[3].name, QStringLiteral("a/b"));
        QCOMPARE(files[4].name, QStringLiteral("bare"));
        QVERIFY(ParseFileList({"%Empty%"}).isEmpty());

        // CR LF and LF end lines; a zlib body inflates within its bound.
        QCOMPARE(SplitLines("a\r\nb\nc"), QList<QByteArray>({"a", "b", "c"}));
        QCOMPARE(InflateList(Zlib::deflate("x\r\ny\r\n")).value(), QList<QByteArray>({"x", "y"}));
        QVERIFY(!InflateList("not zlib"));

        QCOMPARE(FileSizeText(0), QStringLiteral("1 kB"));
        QCOMPARE(FileSizeText(1023), QStringLiteral("1 kB"));
        QCOMPARE(FileSizeText(1024), QStringLiteral("2 kB"));
        QCOMPARE(AttributeText(1 | 2 | 32), QStringLiteral("R-H-A"));
        QCOMPARE(AttributeText(0), QString());
        QVERIFY(IsArchiveFile("setup.ZIP") && IsArchiveFile("a.7z") && IsArchiveFile("x.Z"));
        QVERIFY(!IsArchiveFile("notes.txt") && !IsArchiveFile("ZIP") && !IsArchiveFile("a.zipx"));

        QCOMPARE(ParseTransferStatus("P100").percent, 100);
        QCOMPARE(ParseTransferStatus("P101").kind, TransferStatus::Unknown);
        QCOMPARE(ParseTransferStatus("NOK:disk full").reason, QStringLiteral("disk full"));
        QCOMPARE(ParseTransferStatus("NOK:x").reason, QString());
        QCOMPARE(ParseTransferStatus("OK").kind, TransferStatus::Done);
        QCOMPARE(ParseStoredFile("a.txt&123").size, 123);
        QCOMPARE(ParseStoredFile("a.txt&-5").size, 0);
        QCOMPARE(ParseStoredFile("a.txt").name, QStringLiteral("a.txt"));
        QCOMPARE(ParseStoredFile("R&D.txt&1234").name, QStringLiteral("R&D.txt"));
        QCOMPARE(ParseStoredFile("R&D.txt&1234").size, 1234);
    }

    void onlySingleSafeNamesPass() {
        for (const char *good : {"report.doc", "a b.txt", "...x", "CONSOLE.txt", "COM0", "LPT10"})
            QVERIFY2(IsSafeRemoteFileName(QString::fromLatin1(good)), good);
        for (const char *bad : {"", ".", "..", "../x", "a/b", "a\\b", "C:x", "CON", "con.txt",
                                "NUL ", "com1.log", "LPT9", "x\x01y", ". ."})
            QVERIFY2(!IsSafeRemoteFileName(QString::fromLatin1(bad)), bad);
        QVERIFY(!IsSafeRemoteFileName(QString(256, QLatin1Char('a'))));
    }

    void inflaterChecksWhatItWrites() {
        // Runs of zeros become holes, and the size still comes out right.
        const QByteArray content = QByteArray(100000, '\0') + "tail" + QByteArray(70000, '\0');
        const QByteArray body = Zlib::deflate(content);
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        FileStreams::Inflater whole(buffer, 1 << 20);
        QVERIFY(whole.feed(body) && whole.finish());
        QCOMPARE(out, content);
        // Cut short, with bytes after the end, or beyond the bound: never finished.
        const QByteArray cases[] = {body.left(body.size() - 3), body + "x"};
        for (const QByteArray &bad : cases) {
            QByteArray sink;
            QBuffer b(&sink);
            b.open(QIODevice::WriteOnly);
            FileStreams::Inflater i(b, 1 << 20);
            i.feed(bad);
            QVERIFY(!i.finish());
        }
        QByteArray sink;
        QBuffer b(&sink);
        b.open(QIODevice::WriteOnly);
        FileStreams::Inflater small(b, 1000);
        QVERIFY(!small.feed(body));
        QCOMPARE(small.state(), FileStreams::Inflater::State::TooLarge);
    }
};

QTEST_GUILESS_MAIN(TestHostListings)
#include "tst_host_listings.moc"
