#include "TransferTestSupport.h"

#include <filesystem>
#include <unistd.h>

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

    // Where a file holds data, as [start, end) ranges; a hole reads as zeros.
    static QList<QPair<qint64, qint64>> dataRanges(int fd, qint64 size) {
        QList<QPair<qint64, qint64>> ranges;
        for (qint64 at = 0; at < size;) {
            const off_t data = lseek(fd, at, SEEK_DATA);
            if (data < 0)
                break;
            const off_t hole = lseek(fd, data, SEEK_HOLE);
            ranges.append({data, hole < 0 ? size : qint64(hole)});
            at = ranges.last().second;
        }
        return ranges;
    }

    // Byte for byte, but reading only where either file has data: outside those ranges both
    // are holes, so both read as zeros. (Reading 4 GiB of holes twice costs more than the
    // transfer's own work.)
    static bool sameContent(const QString &a, const QString &b) {
        QFile fa(a), fb(b);
        if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) ||
            fa.size() != fb.size())
            return false;
        const auto ranges = dataRanges(fa.handle(), fa.size()) + dataRanges(fb.handle(), fb.size());
        constexpr qint64 block = 4 << 20;
        for (const auto &[start, end] : ranges) {
            for (qint64 at = start; at < end; at += block) {
                const qint64 n = qMin(block, end - at);
                if (!fa.seek(at) || !fb.seek(at) || fa.read(n) != fb.read(n))
                    return false;
            }
        }
        return true;
    }

    struct Large {
        TransferFixture f;
        bool ready = false;
        Large() {
            // statvfs directly: QStorageInfo finds no mount for the path inside a chroot.
            std::error_code e;
            if (std::filesystem::space(f.local->path().toStdString(), e).available <
                (std::uintmax_t(2) << 30))
                return;
            f.start();
            QVERIFY(QDir().mkpath(f.remoteFile("D/Images")));
            f.open();
            ready = true;
        }
    };

private slots:
    // The two directions are two test cases, so that CTest can run them side by side.
    void overFourGigabytesUp() {
        Large l;
        if (!l.ready)
            QSKIP("not enough free disk for the sparse files' data blocks");
        TransferFixture &f = l.f;
        QVERIFY(writeSparse(f.localFile("disk.img")));
        QVERIFY(f.run({true, "disk.img", f.local->path(), "D:\\Images"}, 600000));
        QVERIFY2(f.x, "the transfer window closed during the upload");
        QCOMPARE(QFileInfo(f.remoteFile("D/Images/disk.img")).size(), kSize);
        QVERIFY(sameContent(f.remoteFile("D/Images/disk.img"), f.localFile("disk.img")));
        f.close();
    }

    void overFourGigabytesDown() {
        Large l;
        if (!l.ready)
            QSKIP("not enough free disk for the sparse files' data blocks");
        TransferFixture &f = l.f;
        QVERIFY(writeSparse(f.remoteFile("D/Images/disk.img")));

        // The listing carries the size beyond 32 bits.
        QSignalSpy files(f.x.data(), &TQVexplorerProtocol::filesArrived);
        f.x->GetHostFiles(QStringLiteral("D:\\Images"));
        QTRY_COMPARE(files.count(), 1);
        QCOMPARE(f.x->remoteFiles().value(0).size, kSize);

        QTemporaryDir back;
        QVERIFY(f.run({false, "disk.img", "D:\\Images", back.path()}, 600000));
        QVERIFY2(f.x, "the transfer window closed during the download");
        QCOMPARE(QFileInfo(back.filePath("disk.img")).size(), kSize);
        QVERIFY(sameContent(back.filePath("disk.img"), f.remoteFile("D/Images/disk.img")));
        QCOMPARE(entriesOf(back.path()), QStringList({"disk.img"}));
        f.close();
    }
};

QTEST_GUILESS_MAIN(TestTransferLarge)
#include "tst_transfer_large.moc"
