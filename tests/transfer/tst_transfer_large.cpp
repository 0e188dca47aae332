#include "TransferTestSupport.h"

#include <QStorageInfo>

// A sparse file just over 4 GiB, up and down, compared byte for byte: sizes are 64 bits all
// the way, and the file streams through zlib without ever being held whole.
class TestTransferLarge : public QObject {
    Q_OBJECT

    static constexpr qint64 kSize = (qint64(4) << 30) + 8193;

    // Islands of data in a sea of holes: at the start, across the 2 GiB and 4 GiB marks, and
    // at the very end.
    static bool writeSparse(const QString &path) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(kSize))
            return false;
        const qint64 islands[] = {0, (qint64(2) << 30) - 3000, (qint64(4) << 30) - 10,
                                  kSize - 5000};
        quint32 seed = 1;
        for (qint64 at : islands) {
            const QByteArray data = randomBytes(5000, seed++);
            if (!file.seek(at) || file.write(data) != data.size())
                return false;
        }
        return true;
    }

    static bool sameContent(const QString &a, const QString &b) {
        QFile fa(a), fb(b);
        if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) ||
            fa.size() != fb.size())
            return false;
        constexpr qint64 block = 4 << 20;
        while (!fa.atEnd()) {
            if (fa.read(block) != fb.read(block))
                return false;
        }
        return true;
    }

private slots:
    void overFourGigabytesBothWays() {
        TransferFixture f;
        if (QStorageInfo(f.local->path()).bytesAvailable() < (qint64(2) << 30))
            QSKIP("not enough free disk for the sparse files' data blocks");
        f.start();
        QVERIFY(writeSparse(f.localFile("disk.img")));
        QVERIFY(QDir().mkpath(f.remoteFile("D/Images")));
        f.open();

        QVERIFY(f.run({true, "disk.img", f.local->path(), "D:\\Images"}, 600000));
        QCOMPARE(QFileInfo(f.remoteFile("D/Images/disk.img")).size(), kSize);
        QVERIFY(sameContent(f.remoteFile("D/Images/disk.img"), f.localFile("disk.img")));

        // The listing carries the size beyond 32 bits.
        QSignalSpy files(f.x.data(), &TQVexplorerProtocol::filesArrived);
        f.x->GetHostFiles(QStringLiteral("D:\\Images"));
        QTRY_COMPARE(files.count(), 1);
        QCOMPARE(f.x->remoteFiles().value(0).size, kSize);

        QTemporaryDir back;
        QVERIFY(f.run({false, "disk.img", "D:\\Images", back.path()}, 600000));
        QCOMPARE(QFileInfo(back.filePath("disk.img")).size(), kSize);
        QVERIFY(sameContent(back.filePath("disk.img"), f.localFile("disk.img")));
        QCOMPARE(entriesOf(back.path()), QStringList({"disk.img"}));
        f.close();
    }
};

QTEST_GUILESS_MAIN(TestTransferLarge)
#include "tst_transfer_large.moc"
