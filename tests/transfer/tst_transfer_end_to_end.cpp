#include "TransferTestSupport.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewayRequests.h"
#include "gateway/HttpChannel.h"

#include "common/AppFolders.h"

#include <QBuffer>
#include <QScopeGuard>
#include <QSemaphore>

using namespace localgw;
using T = TQVexplorerProtocol::Transfer;

namespace {
// A source that hands out each block only when let go, as a slow disk would.
class GatedSource : public QIODevice {
public:
    GatedSource(qint64 size, std::shared_ptr<QSemaphore> gate,
                std::shared_ptr<std::atomic<bool>> reading)
        : m_size(size), m_gate(std::move(gate)), m_reading(std::move(reading)) {
        open(QIODevice::ReadOnly);
    }
    qint64 size() const override { return m_size; }

protected:
    qint64 readData(char *data, qint64 max) override {
        *m_reading = true;
        m_gate->acquire();
        const qint64 n = qMin(max, m_size - pos());
        memset(data, 'g', size_t(n));
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 m_size;
    std::shared_ptr<QSemaphore> m_gate;
    std::shared_ptr<std::atomic<bool>> m_reading;
};

// Files the process holds open in `folder`, unnamed temporary files included.
int openFilesIn(const QString &folder) {
    int n = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        n += QFile::symLinkTarget(fds.filePath(fd)).startsWith(folder + QLatin1Char('/'));
    return n;
}

QStringList namesOf(const QList<QVariant> &filesArrived) {
    QStringList names;
    for (const auto &e : filesArrived.at(1).value<QList<HostListings::FileEntry>>())
        names << e.name;
    return names;
}
} // namespace

// The file transfer against the local gateway over HTTPS, headless: the hand-over of the
// queue, the remote drives and folders, files both ways compared byte for byte, and what must
// leave nothing behind (hostile names, damaged bodies, cancels, a host that went silent).
class TestTransferEndToEnd : public QObject {
    Q_OBJECT
    std::unique_ptr<TransferFixture> f;

private slots:
    void init() { f = std::make_unique<TransferFixture>(); }
    void cleanup() { f.reset(); }

    void channelStreamsBodiesWithoutHoldingThem() {
        f->start();
        const qint64 size = 48 << 20;
        QByteArray content = randomBytes(size, 3);
        QBuffer source(&content);
        source.open(QIODevice::ReadOnly);
        HttpChannel channel;
        const QByteArray gw = f->session->GatewayUrl.toLatin1();
        const QByteArray key = adminVars().CurrentKey.toLatin1();
        // The body is read as the connection takes it, not all at once.
        qint64 readWhenFirstSent = -1;
        connect(&channel, &HttpChannel::uploadProgress, this, [&](qint64 sent, qint64 total) {
            QCOMPARE(total, size);
            if (readWhenFirstSent < 0 && sent > 0)
                readWhenFirstSent = source.pos();
        });
        QSignalSpy done(&channel, &HttpChannel::requestDone);
        QVERIFY(channel.postFrom(GatewayRequests::fileUpload(gw, key, "/big.zip", "C:\\"), &source,
                                 size, "text/plain"));
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 30000);
        QCOMPARE(done.first().at(1).toInt(), 200);
        QVERIFY(readWhenFirstSent > 0 && readWhenFirstSent < size / 2);
        QVERIFY(f->gw->latestSession()->uploadedFiles().value("C:\\/big.zip") == content);

        // The reply body goes to the sink in pieces; requestDone carries none.
        f->gw->latestSession()->storeHostFile("big.zip", content);
        QByteArray received;
        qsizetype largestPiece = 0;
        channel.setMaxReplySize(size);
        QVERIFY(channel.getInto(GatewayRequests::fileDownload(gw, key, "big.zip"),
                                [&](QByteArrayView piece) {
                                    largestPiece = qMax(largestPiece, piece.size());
                                    received += piece;
                                    return true;
                                }));
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 2, 30000);
        QCOMPARE(done.last().at(1).toInt(), 200);
        QVERIFY(done.last().at(2).toByteArray().isEmpty());
        QVERIFY(received == content);
        QVERIFY(largestPiece < size / 2);
        // A sink that refuses ends the request; a reply beyond the bound is refused too.
        QVERIFY(channel.getInto(GatewayRequests::fileDownload(gw, key, "big.zip"),
                                [](QByteArrayView) { return false; }));
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 3, 30000);
        QCOMPARE(done.last().at(0).toInt(), int(HttpChannel::LocalFileError));
        channel.setMaxReplySize(size - 1);
        QVERIFY(channel.getInto(GatewayRequests::fileDownload(gw, key, "big.zip"),
                                [](QByteArrayView) { return true; }));
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 4, 30000);
        QCOMPARE(done.last().at(0).toInt(), int(HttpChannel::ReplyTooLargeError));
    }

    void handOverBrowseAndHandBack() {
        f->start();
        QVERIFY(QDir().mkpath(f->remoteFile("C/Docs/Inner")));
        QVERIFY(QDir().mkpath(f->remoteFile("C/Empty")));
        QVERIFY(writeFile(f->remoteFile("C/readme.txt"), QByteArray(1500, 'r')));

        QSignalSpy drives(f->transfer, &FileTransfer::explorerOpened);
        f->open();
        // The session no longer polls: the protocol does.
        QVERIFY(f->session->QueueStopped);
        QVERIFY(f->session->CommandsDisabled);
        QCOMPARE(f->session->QState, quint8(GatewaySession::QIdle));

        // Folders and files asked for at once: each list reaches its own asker (the host
        // leaves both in one place on the gateway).
        QSignalSpy files(f->x.data(), &TQVexplorerProtocol::filesArrived);
        QList<HostListings::FolderEntry> folders;
        int answers = 0;
        f->x->GetHostDirs(QStringLiteral("C:"), [&](bool ok, const auto &list) {
            ++answers;
            QVERIFY(ok);
            folders = list;
        });
        f->x->GetHostFiles(QStringLiteral("C:"));
        QTRY_COMPARE(files.count(), 1);
        QTRY_COMPARE(answers, 1);
        const auto list = files.first().at(1).value<QList<HostListings::FileEntry>>();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].name, QStringLiteral("readme.txt"));
        QCOMPARE(list[0].size, 1500);
        QCOMPARE(folders.size(), 2);
        QCOMPARE(folders[0].name, QStringLiteral("Docs"));
        QVERIFY(folders[0].hasSubfolders);
        QCOMPARE(folders[1].name, QStringLiteral("Empty"));
        QVERIFY(!folders[1].hasSubfolders);

        // Create and rename remote folders; a name taken is refused and changes nothing.
        QList<bool> results;
        auto record = [&](bool ok) { results << ok; };
        f->x->CreateHostDir(QStringLiteral("C:\\Docs\\New Folder"), record);
        QTRY_COMPARE(results.size(), 1);
        f->x->CreateHostDir(QStringLiteral("C:\\Docs\\New Folder"), record);
        QTRY_COMPARE(results.size(), 2);
        f->x->RenameDirectory(QStringLiteral("C:\\Docs\\New Folder"),
                              QStringLiteral("C:\\Docs\\Renamed"), record);
        QTRY_COMPARE(results.size(), 3);
        f->x->RenameDirectory(QStringLiteral("C:\\Docs\\Renamed"),
                              QStringLiteral("C:\\Docs\\Inner"), record);
        QTRY_COMPARE(results.size(), 4);
        QCOMPARE(results, QList<bool>({true, false, true, false}));
        QVERIFY(QFileInfo(f->remoteFile("C/Docs/Renamed")).isDir());
        QVERIFY(!QFileInfo::exists(f->remoteFile("C/Docs/New Folder")));

        // Closing stops this queue and hands polling back: the session polls again and tells
        // the host.
        const int pollsBefore = int(f->gw->requestLog().withCode("03").size());
        f->close();
        QVERIFY(!f->x);
        QVERIFY(!f->session->CommandsDisabled);
        QTRY_VERIFY(f->gw->requestLog().withCode("03").size() > pollsBefore + 1);
        QTRY_VERIFY(f->host().receivedCommands().contains("EhCh"));
        const QList<QByteArray> commands = f->host().receivedCommands();
        QVERIFY(commands.indexOf("HrSt") < commands.indexOf("EhCh"));
        QVERIFY(!f->transfer->pending());
        // Open again: the hand-over works more than once.
        f->open();
        f->close();
    }

    void filesTravelWholeBothWays() {
        f->start();
        QVERIFY(QDir().mkpath(f->remoteFile("C/Docs")));
        const QByteArray text =
            QByteArray("A line of text that compresses well.\r\n").repeated(8000);
        const QByteArray binary = randomBytes(300 * 1024, 7);
        const QByteArray archive = randomBytes(200 * 1024, 9);
        QVERIFY(writeFile(f->localFile("notes.txt"), text));
        QVERIFY(writeFile(f->localFile("data.bin"), binary));
        QVERIFY(writeFile(f->localFile("setup.ZIP"), archive));
        QVERIFY(writeFile(f->localFile("empty.dat"), {}));
        f->open();

        for (const char *name : {"notes.txt", "data.bin", "setup.ZIP", "empty.dat"})
            QVERIFY2(f->upload(QString::fromLatin1(name), QStringLiteral("C:\\Docs")), name);
        for (const char *name : {"notes.txt", "data.bin", "setup.ZIP", "empty.dat"})
            QVERIFY2(readFile(f->remoteFile(QStringLiteral("C/Docs/") + QLatin1String(name))) ==
                         readFile(f->localFile(QString::fromLatin1(name))),
                     name);
        // An archive goes as it is under "/" + its name, anything else through zlib.
        const auto uploads = f->gw->requestLog().withCode("13");
        QCOMPARE(uploads.size(), 4);
        QCOMPARE(uploads[0].value("filename"), QByteArray("notes.txt"));
        QCOMPARE(uploads[0].value("Path"), QByteArray("C:\\Docs\\"));
        QVERIFY(uploads[0].bodySize < text.size() / 10);
        QCOMPARE(uploads[2].value("filename"), QByteArray("/setup.ZIP"));
        QCOMPARE(uploads[2].bodySize, archive.size());
        QCOMPARE(f->notices, QStringList());
        // No compressed copy is left anywhere near the source.
        QCOMPARE(entriesOf(f->local->path()),
                 QStringList({"data.bin", "empty.dat", "notes.txt", "setup.ZIP"}));

        QTemporaryDir back;
        for (const char *name : {"notes.txt", "data.bin", "setup.ZIP", "empty.dat"})
            QVERIFY2(
                f->download(QStringLiteral("C:\\Docs"), QString::fromLatin1(name), back.path()),
                name);
        for (const char *name : {"notes.txt", "data.bin", "setup.ZIP", "empty.dat"})
            QVERIFY2(readFile(back.filePath(QString::fromLatin1(name))) ==
                         readFile(f->localFile(QString::fromLatin1(name))),
                     name);
        QCOMPARE(entriesOf(back.path()),
                 QStringList({"data.bin", "empty.dat", "notes.txt", "setup.ZIP"}));
        QCOMPARE(f->questions, 0);

        // The target exists: "No" keeps it and sends nothing; "Yes" replaces it.
        QVERIFY(writeFile(back.filePath("notes.txt"), "older version"));
        f->answerYes = false;
        QVERIFY(f->x->CopyFile({false, "notes.txt", "C:\\Docs", back.path()}));
        QTRY_COMPARE(f->questions, 1);
        QTest::qWait(200);
        QVERIFY(!f->x->TransferActive);
        QCOMPARE(readFile(back.filePath("notes.txt")), QByteArray("older version"));
        // Toward the host the remote listing decides.
        const qsizetype uploadsBefore = f->gw->requestLog().withCode("13").size();
        QVERIFY(f->x->CopyFile({true, "data.bin", f->local->path(), "C:\\Docs"}));
        QTRY_COMPARE(f->questions, 2);
        QTest::qWait(200);
        QCOMPARE(f->gw->requestLog().withCode("13").size(), uploadsBefore);
        // Also when asked for while a listing is being handed out.
        QMetaObject::Connection once;
        once = connect(f->x.data(), &TQVexplorerProtocol::filesArrived, this, [&] {
            disconnect(once);
            f->x->CopyFile({true, "data.bin", f->local->path(), "C:\\Docs"});
        });
        f->x->GetHostFiles(QStringLiteral("C:\\Docs"));
        QTRY_COMPARE(f->questions, 3);
        QTest::qWait(200);
        QCOMPARE(f->gw->requestLog().withCode("13").size(), uploadsBefore);
        f->answerYes = true;
        QVERIFY(f->download(QStringLiteral("C:\\Docs"), QStringLiteral("notes.txt"), back.path()));
        QCOMPARE(f->questions, 4);
        QVERIFY(readFile(back.filePath("notes.txt")) == text);
        // A second transfer while one runs is refused without a word.
        QTemporaryDir other;
        QSignalSpy ended(f->x.data(), &TQVexplorerProtocol::transferEnded);
        QVERIFY(f->x->CopyFile({false, "data.bin", "C:\\Docs", other.path()}));
        QVERIFY(!f->x->CopyFile({false, "setup.ZIP", "C:\\Docs", other.path()}));
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 20000);
        QCOMPARE(entriesOf(other.path()), QStringList({"data.bin"}));
        QCOMPARE(f->notices, QStringList());
        f->close();
    }

    void hostileNamesAndDamagedBodiesLeaveNothing() {
        f->start();
        QVERIFY(QDir().mkpath(f->remoteFile("C/Docs")));
        const QByteArray content = QByteArray("remote content\n").repeated(5000);
        QVERIFY(writeFile(f->remoteFile("C/Docs/report.txt"), content));
        QTemporaryDir parent;
        const QString target = parent.filePath("target");
        QVERIFY(writeFile(target + "/report.txt", "previous version"));
        f->open();

        // Names that would leave the folder are refused before anything is asked for.
        f->hostFiles().setHostileNames(true);
        QSignalSpy files(f->x.data(), &TQVexplorerProtocol::filesArrived);
        f->x->GetHostFiles(QStringLiteral("C:\\Docs"));
        QTRY_COMPARE(files.count(), 1);
        QCOMPARE(f->x->remoteFiles().size(), 4);
        const qsizetype asked = f->host().receivedCommands().size();
        for (const QString &name :
             {QStringLiteral("../x"), QStringLiteral("a/b"), QStringLiteral("CON\x01"),
              QStringLiteral("CON.txt"), QStringLiteral("..")}) {
            f->notices.clear();
            QVERIFY(!f->x->CopyFile({false, name, "C:\\Docs", target}));
            QCOMPARE(f->notices.size(), 1);
            QVERIFY(f->notices[0].startsWith(Msg("Unsafe file name refused:")));
        }
        QCOMPARE(f->host().receivedCommands().size(), asked);
        // The host answers with another (hostile) name than asked: nothing is fetched.
        f->notices.clear();
        f->hostFiles().setAnnouncedName("../report.txt");
        QVERIFY(!f->download(QStringLiteral("C:\\Docs"), QStringLiteral("report.txt"), target));
        QCOMPARE(f->notices, QStringList({Msg("Wrong file on gateway")}));
        QVERIFY(f->gw->requestLog().withCode("Files").isEmpty());

        // Damaged bodies: the previous file stays, no temporary file is left.
        const struct {
            HostFiles::BodyFault fault;
            QString notice;
        } faults[] = {
            {HostFiles::BodyFault::Corrupt, Msg("Error decompressing file ")},
            {HostFiles::BodyFault::Truncated, Msg("Error decompressing file ")},
            {HostFiles::BodyFault::SizeMismatch,
             Msg("The received file is incomplete and was not saved")},
        };
        for (const auto &fault : faults) {
            f->notices.clear();
            f->hostFiles().setBodyFault(fault.fault);
            QVERIFY(!f->download(QStringLiteral("C:\\Docs"), QStringLiteral("report.txt"), target));
            QCOMPARE(f->notices, QStringList({fault.notice}));
            QCOMPARE(readFile(target + "/report.txt"), QByteArray("previous version"));
            QCOMPARE(entriesOf(target), QStringList({"report.txt"}));
        }
        QCOMPARE(entriesOf(parent.path()), QStringList({"target"}));
        // A sound body replaces it.
        QVERIFY(f->download(QStringLiteral("C:\\Docs"), QStringLiteral("report.txt"), target));
        QVERIFY(readFile(target + "/report.txt") == content);
        QCOMPARE(entriesOf(target), QStringList({"report.txt"}));

        // Local names that the remote computer would take as a path are not sent either.
        QVERIFY(writeFile(f->localFile("back\\slash.txt"), "x"));
        f->notices.clear();
        QVERIFY(!f->x->CopyFile({true, "back\\slash.txt", f->local->path(), "C:\\Docs"}));
        QCOMPARE(f->notices.size(), 1);
        f->close();
    }

    void cancelHalfWayKeepsTheOldFile() {
        f->start();
        QVERIFY(QDir().mkpath(f->remoteFile("C/Big")));
        const QByteArray big = randomBytes(24 * 1024 * 1024, 11);
        QVERIFY(writeFile(f->remoteFile("C/Big/big.zip"), big));
        QVERIFY(writeFile(f->localFile("big.zip"), big));
        QTemporaryDir target;
        QVERIFY(writeFile(target.filePath("big.zip"), "old local"));
        f->open();

        // Download: cancelled once half the body is in.
        QSignalSpy ended(f->x.data(), &TQVexplorerProtocol::transferEnded);
        auto cancelAt = [this](int position) {
            return connect(f->x.data(), &TQVexplorerProtocol::progressChanged, this,
                           [this, position](int p) {
                               if (p >= position && f->x->TransferActive)
                                   f->x->CancelTransfer();
                           });
        };
        auto c = cancelAt(75);
        QVERIFY(f->x->CopyFile({false, "big.zip", "C:\\Big", target.path()}));
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 30000);
        disconnect(c);
        QCOMPARE(ended.first().first().toBool(), false);
        QCOMPARE(readFile(target.filePath("big.zip")), QByteArray("old local"));
        QCOMPARE(entriesOf(target.path()), QStringList({"big.zip"}));
        // The host's late "Sfil" of a cancelled download changes nothing.
        f->host().say("Sfil?big.zip&" + QByteArray::number(big.size()));
        QTest::qWait(300);
        QCOMPARE(entriesOf(target.path()), QStringList({"big.zip"}));
        QVERIFY(!f->x->TransferActive);

        // Upload: cancelled half way through the body; the remote file stays as it was.
        QVERIFY(writeFile(f->remoteFile("C/Big/big.zip"), "old remote"));
        c = cancelAt(25);
        QVERIFY(f->x->CopyFile({true, "big.zip", f->local->path(), "C:\\Big"}));
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 2, 30000);
        disconnect(c);
        QTest::qWait(300);
        QCOMPARE(f->hostFiles().workRunning(), 0);
        QCOMPARE(readFile(f->remoteFile("C/Big/big.zip")), QByteArray("old remote"));
        QCOMPARE(entriesOf(f->remoteFile("C/Big")), QStringList({"big.zip"}));

        // The window goes on: the same file goes through whole.
        QVERIFY(f->upload(QStringLiteral("big.zip"), QStringLiteral("C:\\Big")));
        QVERIFY(readFile(f->remoteFile("C/Big/big.zip")) == big);
        f->close();
    }

    // The host's lists and folder replies do not say what they answer: one that comes late is
    // dropped, never taken for the answer to a newer request, and a listing that never comes
    // leaves no files known. Statuses of the other direction, a name with "&" and the reply
    // bound left by a download do not disturb the transfers either.
    void lateAnswersNeverAnswerNewerRequests() {
        f->start([](TQVexplorerProtocol *p) {
            p->ReplyTimeoutMs = 1000;
            p->LateAnswerGraceMs = 5000;
        });
        QVERIFY(writeFile(f->remoteFile("C/A/a.txt"), "in A"));
        QVERIFY(writeFile(f->remoteFile("C/B/b.txt"), "in B"));
        QVERIFY(writeFile(f->remoteFile("C/B/R&D.txt"), "research"));
        QVERIFY(writeFile(f->remoteFile("C/B/empty.zip"), {}));
        QVERIFY(writeFile(f->localFile("B.TXT"), "local B"));
        f->open();
        QSignalSpy files(f->x.data(), &TQVexplorerProtocol::filesArrived);
        QSignalSpy lost(f->x.data(), &TQVexplorerProtocol::filesLost);

        f->hostFiles().setLateAnswers("Gfil", 1500);
        f->x->GetHostFiles(QStringLiteral("C:\\A"));
        QTRY_COMPARE(lost.count(), 1);
        QVERIFY(f->x->remoteFiles().isEmpty());
        f->x->GetHostFiles(QStringLiteral("C:\\B"));
        QTRY_COMPARE_WITH_TIMEOUT(files.count(), 1, 10000);
        QCOMPARE(files.last().at(0).toString(), QStringLiteral("C:\\B"));
        QCOMPARE(namesOf(files.last()), QStringList({"b.txt", "empty.zip", "R&D.txt"}));

        QList<bool> results;
        auto record = [&](bool ok) { results << ok; };
        f->hostFiles().setLateAnswers("Cdir", 1500);
        f->x->CreateHostDir(QStringLiteral("C:\\New"), record);
        QTRY_COMPARE(results.size(), 1);
        f->x->CreateHostDir(QStringLiteral("C:\\A"), record); // exists: refused
        QTRY_COMPARE_WITH_TIMEOUT(results.size(), 2, 10000);
        QCOMPARE(results, QList<bool>({false, false}));
        QVERIFY(QFileInfo(f->remoteFile("C/New")).isDir());

        // A name that differs only in case is the same remote file: the question comes from
        // the listing. A listing that never comes asks as well, and the window goes on.
        f->answerYes = false;
        const qsizetype uploads = f->gw->requestLog().withCode("13").size();
        QVERIFY(f->x->CopyFile({true, "B.TXT", f->local->path(), "C:\\B"}));
        QTRY_COMPARE(f->questions, 1);
        QCOMPARE(files.last().at(0).toString(), QStringLiteral("C:\\B"));
        QCOMPARE(lost.count(), 1);
        f->x->LateAnswerGraceMs = 600;
        f->hostFiles().setLateAnswers("Gfil", -1);
        QVERIFY(f->x->CopyFile({true, "B.TXT", f->local->path(), "C:\\B"}));
        QTRY_COMPARE(f->questions, 2);
        QTRY_COMPARE(lost.count(), 2);
        QCOMPARE(f->gw->requestLog().withCode("13").size(), uploads);
        f->x->GetHostFiles(QStringLiteral("C:\\A"));
        QTRY_COMPARE_WITH_TIMEOUT(files.count(), 3, 10000);
        QCOMPARE(namesOf(files.last()), QStringList({"a.txt"}));

        // After a 0-byte download commands still get their answers; "R&D.txt" is found by
        // its whole name.
        QTemporaryDir back;
        QVERIFY(f->download(QStringLiteral("C:\\B"), QStringLiteral("empty.zip"), back.path()));
        f->x->CreateHostDir(QStringLiteral("C:\\After"), record);
        QTRY_COMPARE(results.size(), 3);
        QVERIFY(results.last());
        QVERIFY(f->download(QStringLiteral("C:\\B"), QStringLiteral("R&D.txt"), back.path()));
        QCOMPARE(readFile(back.filePath("R&D.txt")), QByteArray("research"));

        // A late "SfSt" failure (a cancelled download's) does not end an upload.
        f->hostFiles().setStalled(true);
        QSignalSpy ended(f->x.data(), &TQVexplorerProtocol::transferEnded);
        QVERIFY(f->x->CopyFile({true, "B.TXT", f->local->path(), "C:\\A"}));
        QTRY_VERIFY(f->gw->requestLog().withCode("13").size() == uploads + 1 &&
                    f->x->ExplorerState == TQVexplorerProtocol::Idle);
        f->host().say("SfSt?NOK:late");
        f->host().say("RfSt?OK");
        QTRY_COMPARE(ended.count(), 1);
        QCOMPARE(ended.first().first().toBool(), true);
        QCOMPARE(f->notices, QStringList());
        f->close();
    }

    // Cancelling while a slow source is compressed and starting another upload: the first
    // compression runs out on files of its own (ASan checks that nothing freed is touched), in
    // the application's cache folder, and the second upload goes through whole.
    void cancelledCompressionLeavesTheNextUploadAlone() {
        QTemporaryDir cache;
        auto gate = std::make_shared<QSemaphore>();
        auto reading = std::make_shared<std::atomic<bool>>(false);
        const auto letGo = qScopeGuard([gate] { gate->release(1 << 20); });
        f->start([gate, reading](TQVexplorerProtocol *p) {
            p->OpenSource = [open = p->OpenSource, gate,
                             reading](const QString &path) -> std::unique_ptr<QIODevice> {
                if (!path.endsWith(QLatin1String("slow.txt")))
                    return open(path);
                return std::make_unique<GatedSource>(4 << 20, gate, reading);
            };
        });
        const QByteArray text = QByteArray("second upload\n").repeated(20000);
        QVERIFY(writeFile(f->localFile("slow.txt"), "stands in for a slow disk"));
        QVERIFY(writeFile(f->localFile("fast.txt"), text));
        QVERIFY(QDir().mkpath(f->remoteFile("C/Up")));
        appFolders().Cache = cache.path();
        f->open();

        QSignalSpy ended(f->x.data(), &TQVexplorerProtocol::transferEnded);
        QVERIFY(f->x->CopyFile({true, "slow.txt", f->local->path(), "C:\\Up"}));
        QTRY_VERIFY_WITH_TIMEOUT(*reading, 10000);
        QCOMPARE(openFilesIn(cache.path()), 1);
        f->x->CancelTransfer();
        QCOMPARE(ended.count(), 1);
        auto c =
            connect(f->x.data(), &TQVexplorerProtocol::progressChanged, this, [gate](int position) {
                if (position > 0)
                    gate->release(1 << 20);
            });
        QVERIFY(f->upload(QStringLiteral("fast.txt"), QStringLiteral("C:\\Up")));
        disconnect(c);
        gate->release(1 << 20);
        QVERIFY(readFile(f->remoteFile("C/Up/fast.txt")) == text);
        QVERIFY(!QFileInfo::exists(f->remoteFile("C/Up/slow.txt")));
        QTRY_COMPARE(openFilesIn(cache.path()), 0);
        f->close();
    }

    void viewOnlyStalledHostAndDeadPolling() {
        f->start([](TQVexplorerProtocol *p) {
            p->TransferStallMs = 400;
            p->WatchdogMs = 1500;
            p->StopTimeoutMs = 500;
        });
        QVERIFY(QDir().mkpath(f->remoteFile("C/Docs")));
        QVERIFY(writeFile(f->remoteFile("C/Docs/a.txt"), "aaaa"));
        QTemporaryDir target;
        f->open();

        // View only: refused with a message, allowed again with full control.
        f->hostFiles().setViewOnly(true);
        QTRY_VERIFY(!f->x->FullControl);
        QVERIFY(!f->x->CopyFile({false, "a.txt", "C:\\Docs", target.path()}));
        QCOMPARE(f->notices, QStringList({Msg("View only mode - not allowed!")}));
        f->hostFiles().setViewOnly(false);
        QTRY_VERIFY(f->x->FullControl);

        // A host that goes silent mid-transfer: the transfer ends, the window goes on.
        f->notices.clear();
        f->hostFiles().setStalled(true);
        QVERIFY(!f->download(QStringLiteral("C:\\Docs"), QStringLiteral("a.txt"), target.path()));
        QCOMPARE(f->notices,
                 QStringList({Msg("No answer from the remote computer - transfer stopped")}));
        QCOMPARE(entriesOf(target.path()), QStringList());
        f->hostFiles().setStalled(false);
        QVERIFY(f->download(QStringLiteral("C:\\Docs"), QStringLiteral("a.txt"), target.path()));
        QCOMPARE(readFile(target.filePath("a.txt")), QByteArray("aaaa"));

        // Polling that dies: the watchdog closes the window, and the session checks the
        // gateway (which ends it).
        QSignalSpy closed(f->transfer, &FileTransfer::explorerClosed);
        f->gw->faults().add({0, "03", -1, Fault::withStatus(500)});
        QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 15000);
        QCOMPARE(closed.first().first().toBool(), true);
        QVERIFY(f->notices.contains(QStringLiteral("CheckQueue failed: \r500")));
        QTRY_COMPARE_WITH_TIMEOUT(f->ui.lastFlash(),
                                  Msg("Gateway connection lost\rClosing current session"), 5000);
    }
};

QTEST_GUILESS_MAIN(TestTransferEndToEnd)
#include "tst_transfer_end_to_end.moc"
