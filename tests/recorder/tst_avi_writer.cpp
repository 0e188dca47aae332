#include <QtTest>

#include "MovieProbe.h"
#include "SyntheticDesktop.h"
#include "recorder/AvSupport.h"
#include "recorder/AviWriter_2.h"
#include "recorder/MoviePlayback.h"
#include "recorder/RecordingFiles.h"
#include "recorder/RecordingWorker.h"
#include "screen/FixedPalettes.h"

#include <QLockFile>
#include <QSemaphore>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

// The movie writer on its own: every compressor it offers and the uncompressed case give a
// movie that players open, with the frames it was given; a full disk, a killed process and a
// slow encoder never leave a broken file or a growing queue.
namespace {
constexpr QSize FrameSize(320, 240);
constexpr int FrameTime = 200;

// A screen with text, windows and a pointer that moves from frame to frame.
QImage desktopFrame(int n) {
    localgw::SyntheticDesktop desktop(FrameSize);
    desktop.setPointer(QPoint(20 + n * 13 % 280, 30 + n * 7 % 190));
    desktop.setClock(QTime(12, 0).addSecs(60 * n));
    return desktop.render();
}

// How far a lossy compressor may move a frame from the 8-bit picture it was given (mean
// absolute difference per channel, 0 to 255). Cinepak and Video-1 quantise hard.
double toleranceFor(const QString &fourCC) {
    if (fourCC.isEmpty())
        return 0;
    if (fourCC.startsWith(QLatin1String("MP4")))
        return 6;
    return 16;
}

std::unique_ptr<TAviWriter_2> newWriter(const QString &movie, const QString &codec) {
    auto w = std::make_unique<TAviWriter_2>();
    w->filename = movie;
    w->setPixelFormat(TAviWriter_2::pf8bit);
    w->FrameTime = FrameTime;
    w->Width = FrameSize.width();
    w->Height = FrameSize.height();
    if (!w->SelectCodec(codec))
        return nullptr;
    w->OnTheFly = !codec.isEmpty();
    w->SetCodecQuality(5000);
    return w;
}

// A movie the recorder never writes: PNG pictures in an AVI, each `frameSize` although the
// header announces `headerSize`.
bool writeForeignMovie(const QString &path, QSize headerSize, QSize frameSize) {
    using namespace AvSupport;
    const AVCodec *png = avcodec_find_encoder(AV_CODEC_ID_PNG);
    AVFormatContext *raw = nullptr;
    if (!png || avformat_alloc_output_context2(&raw, nullptr, "avi", nullptr) < 0)
        return false;
    OutputPtr out(raw);
    CodecPtr enc(avcodec_alloc_context3(png));
    enc->width = frameSize.width();
    enc->height = frameSize.height();
    enc->pix_fmt = AV_PIX_FMT_RGB24;
    enc->time_base = AVRational{1, 5};
    AVStream *st = avformat_new_stream(raw, nullptr);
    if (avcodec_open2(enc.get(), png, nullptr) < 0 || !st ||
        avcodec_parameters_from_context(st->codecpar, enc.get()) < 0 ||
        avio_open(&raw->pb, LocalPath(path).constData(), AVIO_FLAG_WRITE) < 0)
        return false;
    st->codecpar->width = headerSize.width();
    st->codecpar->height = headerSize.height();
    st->time_base = enc->time_base;
    if (avformat_write_header(raw, nullptr) < 0)
        return false;
    FramePtr frame(av_frame_alloc());
    frame->format = enc->pix_fmt;
    frame->width = enc->width;
    frame->height = enc->height;
    PacketPtr packet(av_packet_alloc());
    if (av_frame_get_buffer(frame.get(), 0) < 0)
        return false;
    for (int n = 0; n < 3; ++n) {
        for (int y = 0; y < frame->height; ++y)
            memset(frame->data[0] + y * frame->linesize[0], 60 * n, size_t(frame->width) * 3);
        frame->pts = n;
        if (avcodec_send_frame(enc.get(), frame.get()) < 0)
            return false;
        while (avcodec_receive_packet(enc.get(), packet.get()) >= 0) {
            av_packet_rescale_ts(packet.get(), enc->time_base, st->time_base);
            av_interleaved_write_frame(raw, packet.get());
        }
    }
    return av_write_trailer(raw) >= 0;
}

QStringList leftoversIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The helper process of killedRecordingsAreSaved: records two movies at once (one compressed
// on the fly, one uncompressed through the temporary folder), reporting each frame once it is
// in the file, until it is killed.
int recordUntilKilled(const QString &folder) {
    auto compressed = newWriter(folder + QStringLiteral("/compressed.avi"), QStringLiteral("MP43"));
    auto plain = newWriter(folder + QStringLiteral("/plain.avi"), QString());
    if (!compressed || !plain || !compressed->StartMovie() || !plain->StartMovie())
        return 2;
    for (int n = 0;; ++n) {
        if (!compressed->WriteFrame(desktopFrame(n)) || !plain->WriteFrame(desktopFrame(n)))
            return 3;
        std::printf("frame %d\n", n);
        std::fflush(stdout);
        QThread::msleep(20);
    }
}
} // namespace

class TestAviWriter : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void everyOfferedCodecWritesAMoviePlayersOpen_data() {
        QTest::addColumn<QString>("codec");
        TAviWriter_2 w;
        w.Width = FrameSize.width();
        w.Height = FrameSize.height();
        w.setPixelFormat(TAviWriter_2::pf8bit);
        const QStringList offered = w.ListCodecs();
        QCOMPARE(offered.value(0), QStringLiteral("No Compression"));
        QTest::newRow("uncompressed") << QString();
        for (const QString &entry : offered.mid(1))
            QTest::newRow(qPrintable(entry.left(4))) << entry.left(4);
        // The Debian libavcodec encodes these; MPG4 (version 1) it only decodes.
        QVERIFY(offered.contains(QStringLiteral("MP43 msmpeg4")));
        QVERIFY(!offered.join(QLatin1Char(' ')).contains(QLatin1String("MPG4")));
        // Cinepak and Video-1 take only sizes in multiples of 4, like the compression query.
        w.Width = 102;
        const QStringList odd = w.ListCodecs();
        QVERIFY(!odd.join(QLatin1Char(' ')).contains(QLatin1String("CVID")));
        QVERIFY(!w.SelectCodec(QStringLiteral("CVID")));
        QCOMPARE(w.errorString(), QStringLiteral("No compressor for CVID\n available"));
    }

    void everyOfferedCodecWritesAMoviePlayersOpen() {
        QFETCH(QString, codec);
        const QString movie =
            dir.filePath(QStringLiteral("movie-%1.avi").arg(codec.isEmpty() ? "raw" : codec));
        auto writer = newWriter(movie, codec);
        QVERIFY(writer);
        QVERIFY2(writer->StartMovie(), qPrintable(writer->errorString()));
        const QString working = writer->workingFile();
        QVERIFY(QFileInfo::exists(working));
        QVERIFY(!QFileInfo::exists(movie)); // only complete movies appear
        constexpr int Frames = 12;
        QList<QImage> expected;
        for (int n = 0; n < Frames; ++n) {
            const QImage frame = desktopFrame(n);
            expected.append(FixedPalettes::reduceToDepth(frame, 8));
            QVERIFY2(writer->WriteFrame(frame), qPrintable(writer->errorString()));
        }
        QVERIFY(writer->EndFrames());
        QVERIFY2(writer->FinishMovie(), qPrintable(writer->errorString()));
        QVERIFY(!QFileInfo::exists(working));
        QVERIFY(!QFileInfo::exists(RecordingFiles::LockFileOf(working)));

        const MovieInfo info = ProbeMovie(movie);
        QVERIFY2(info.opened, qPrintable(info.error));
        QCOMPARE(info.tagText().toUpper(), codec);
        QCOMPARE(info.size, FrameSize);
        QCOMPARE(info.rate.num, info.rate.den * (1000 / FrameTime)); // 5 frames a second
        QCOMPARE(info.frames, Frames);
        QCOMPARE(info.decodeErrors, 0);
        QCOMPARE(info.pictures.size(), Frames);
        for (int n : {0, Frames / 2, Frames - 1}) {
            const double diff = MeanDifference(info.pictures[n], expected[n]);
            QVERIFY2(diff <= toleranceFor(codec),
                     qPrintable(QStringLiteral("frame %1 differs by %2").arg(n).arg(diff)));
        }

        bool probed = false;
        const auto probe = Ffprobe(movie, &probed);
        QVERIFY(probed);
        if (!probe.isEmpty()) {
            QCOMPARE(probe.value("nb_read_frames"), QString::number(Frames));
            QCOMPARE(probe.value("r_frame_rate"), QStringLiteral("5/1"));
            QCOMPARE(probe.value("width"), QString::number(FrameSize.width()));
        }
        const QString errors = FfmpegDecodeErrors(movie);
        QVERIFY2(errors.isEmpty(), qPrintable(errors));

        if (codec.isEmpty()) {
            // A Windows bitmap with its palette, bottom-up (positive height). Behind it the
            // muxer keeps room for the OpenDML super index (256 entries) and the "odml"
            // header, which it fills in once the movie passes the 1 GB of AVI 1.0.
            QFile f(movie);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray head = f.read(16384);
            const int strf = head.indexOf("strf");
            QVERIFY(strf > 0);
            const auto le32 = [&](int at) {
                return qFromLittleEndian<qint32>(head.constData() + at);
            };
            QCOMPARE(le32(strf + 4), 40 + 256 * 4);           // header and palette
            QCOMPARE(le32(strf + 8 + 8), FrameSize.height()); // biHeight
            QCOMPARE(qFromLittleEndian<quint16>(head.constData() + strf + 8 + 14), 8);
            const int junk = strf + 8 + le32(strf + 4);
            QCOMPARE(head.mid(junk, 4), QByteArray("JUNK"));
            QCOMPARE(le32(junk + 4), 24 + 16 * 256);
            QVERIFY(head.contains("odmldmlh"));
            QCOMPARE(TAviWriter_2::muxerOptions(), QStringLiteral("flipped_raw_rgb=1"));
        }
    }

    // No frames, refused settings, and a disk that fills up under way.
    void failuresLeaveAPlayableMovieOrNothing() {
        // Started and stopped before the first frame: a movie without frames.
        const QString empty = dir.filePath(QStringLiteral("empty.avi"));
        auto writer = newWriter(empty, QStringLiteral("MP43"));
        QVERIFY(writer && writer->StartMovie());
        QVERIFY(writer->EndFrames() && writer->FinishMovie());
        const MovieInfo none = ProbeMovie(empty);
        QVERIFY2(none.opened, qPrintable(none.error));
        QCOMPARE(none.frames, 0);

        TAviWriter_2 refused;
        QVERIFY(!refused.setPixelFormat(16));
        QCOMPARE(refused.errorString(), QStringLiteral("Pixelformat not supported"));
        refused.setPixelFormat(TAviWriter_2::pfDevice);
        refused.filename = dir.filePath(QStringLiteral("device.avi"));
        QVERIFY(!refused.StartMovie());
        QVERIFY(refused.errorString().startsWith(QLatin1String("For adding frames on the fly")));
        QVERIFY(refused.WriteFrame(desktopFrame(0))); // aborted: frames are ignored
        TAviWriter_2 idle;
        QVERIFY(!idle.WriteFrame(desktopFrame(0)));
        QCOMPARE(idle.errorString(), QStringLiteral("Video must be initialized."));
        QVERIFY(!idle.FinishMovie());
        QCOMPARE(idle.errorString(), QStringLiteral("Video must be finalized"));

        // The disk fills up after a few frames: writing stops with an error, and what remains
        // is a movie of the frames that made it, or nothing.
        QTemporaryDir full;
        const QString movie = full.filePath(QStringLiteral("full.avi"));
        for (const QString &codec : {QString(), QStringLiteral("MP43")}) {
            auto w = newWriter(movie, codec);
            w->OnTheFly = true; // into the partial file beside the movie, on this "disk"
            QVERIFY(w->StartMovie());
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit saved{};
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit limited = saved;
            limited.rlim_cur = 200 * 1024;
            setrlimit(RLIMIT_FSIZE, &limited);
            int written = 0;
            bool failed = false;
            for (int n = 0; n < 400 && !failed; ++n) {
                if (w->WriteFrame(desktopFrame(n)))
                    ++written;
                else
                    failed = w->fileFailed();
            }
            w->EndFrames();
            const bool finished = w->FinishMovie();
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, SIG_DFL);
            QVERIFY(failed);
            QVERIFY(!finished);
            QVERIFY(written > 0);
            if (QFileInfo::exists(movie)) {
                const MovieInfo info = ProbeMovie(movie);
                QVERIFY2(info.opened, qPrintable(info.error));
                QVERIFY(info.frames > 0 && info.frames <= written);
                QCOMPARE(info.decodeErrors, 0);
                QFile::remove(movie);
                QCOMPARE(leftoversIn(full.path()), QStringList());
            } else {
                // No movie: the frames stay in the working file, and the caller knows where.
                QVERIFY(QFileInfo::exists(w->keptFile()));
                QFile::remove(w->keptFile());
            }
        }
    }

    // Finishing fails late (the disk fills up while the index is written) and the salvage
    // fails too: the working file is the only copy of the frames, so it stays, and stays at
    // the next start's recovery until a movie could be made of it.
    void aFailedSalvageKeepsTheFrames() {
        QTemporaryDir folder;
        QTemporaryDir temp;
        const QString movie = folder.filePath(QStringLiteral("late.avi"));
        auto w = newWriter(movie, QString());
        w->OnTheFly = true; // raw frames, into the partial file beside the movie
        QVERIFY(w->StartMovie());
        const QString working = w->workingFile();
        constexpr int Frames = 6;
        for (int n = 0; n < Frames; ++n)
            QVERIFY2(w->WriteFrame(desktopFrame(n)), qPrintable(w->errorString()));
        QVERIFY(w->EndFrames());

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = QFileInfo(working).size(); // not a byte more
        setrlimit(RLIMIT_FSIZE, &limited);
        const bool finished = w->FinishMovie();
        const RecordingFiles::Recovery stillFull =
            RecordingFiles::RecoverLeftoverRecordings(folder.path(), temp.path());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_DFL);

        QVERIFY(!finished);
        QVERIFY(!QFileInfo::exists(movie));
        QCOMPARE(w->keptFile(), working);
        QVERIFY(QFileInfo(working).size() >= Frames * FrameSize.width() * FrameSize.height());
        QCOMPARE(stillFull.saved, QStringList());
        QCOMPARE(stillFull.kept, QStringList{working});
        QVERIFY(QFileInfo::exists(working));

        // With room again, the next recovery makes the movie of every frame.
        const RecordingFiles::Recovery recovered =
            RecordingFiles::RecoverLeftoverRecordings(folder.path(), temp.path());
        QCOMPARE(recovered.saved, QStringList{movie});
        QCOMPARE(recovered.kept, QStringList());
        QCOMPARE(ProbeMovie(movie, false).frames, Frames);
        QCOMPARE(leftoversIn(folder.path()), QStringList{QStringLiteral("late.avi")});
    }

    // An encoder that refuses the size of the first real frame (Video 1 wants multiples of
    // 4; the codec was chosen at another size): the writer gives up at once instead of trying
    // again with every frame, and the worker reports that nothing more can be recorded.
    void aRefusedFrameSizeEndsTheRecording() {
        const QString movie = dir.filePath(QStringLiteral("refused.avi"));
        auto writer = newWriter(movie, QStringLiteral("MSVC"));
        QVERIFY(writer && writer->StartMovie());
        const QImage odd = desktopFrame(0).scaled(1366, 768);
        RecordingWorker worker(std::move(writer), 2);
        QSignalSpy failed(&worker, &RecordingWorker::writeFailed);
        QSignalSpy finished(&worker, &RecordingWorker::finished);
        QVERIFY(worker.submit({odd, 0, {}}));
        QVERIFY(failed.wait(30000));
        QCOMPARE(failed.at(0).at(0).toString(),
                 QStringLiteral("Failed to create compressed stream"));
        QVERIFY(!worker.canAccept());
        worker.finish();
        QVERIFY(finished.size() == 1 || finished.wait(30000));
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QCOMPARE(worker.framesWritten(), 0);
        QVERIFY(!QFileInfo::exists(movie));
        QCOMPARE(leftoversIn(dir.path()).filter(QStringLiteral("refused")), QStringList());
    }

    // A console killed while recording: the half-written movies still open, and the next
    // start saves every complete frame into a proper movie.
    void killedRecordingsAreSaved() {
        QTemporaryDir folder;
        QTemporaryDir temp;
        QProcess helper;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), temp.path());
        helper.setProcessEnvironment(env);
        helper.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--record-until-killed"), folder.path()});
        QVERIFY(helper.waitForStarted());
        int seen = 0;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                while (helper.canReadLine())
                    seen += helper.readLine().startsWith("frame") ? 1 : 0;
                return seen >= 5;
            }(),
            30000);
        helper.kill(); // SIGKILL: nothing of the writer runs any more
        QVERIFY(helper.waitForFinished());

        const QStringList partial =
            QDir(folder.path())
                .entryList({QStringLiteral(".compressed.*.part")}, QDir::Files | QDir::Hidden);
        const QStringList plain =
            QDir(temp.path()).entryList({QStringLiteral("~AWTemp-plain.*.avi")}, QDir::Files);
        QCOMPARE(partial.size(), 1);
        QCOMPARE(plain.size(), 1);
        for (const QString &left : {folder.filePath(partial[0]), temp.filePath(plain[0])}) {
            const MovieInfo info = ProbeMovie(left, false);
            QVERIFY2(info.opened, qPrintable(left + QLatin1Char(' ') + info.error));
            QVERIFY(info.frames >= 5);
            bool probed = false;
            Ffprobe(left, &probed);
            QVERIFY2(probed, qPrintable(left));
        }

        // A leftover another console is still writing is left alone: a working file is
        // locked from the moment it exists.
        const RecordingFiles::WorkingFile busyFile =
            RecordingFiles::CreatePartialFile(folder.filePath("busy.avi"));
        const QString busy = busyFile.path;
        QVERIFY(QFileInfo::exists(busy));
        QVERIFY(busyFile.lock && busyFile.lock->isLocked());

        const QStringList saved =
            RecordingFiles::RecoverLeftoverRecordings(folder.path(), temp.path()).saved;
        QCOMPARE(saved.size(), 2);
        for (const QString &name :
             {QStringLiteral("compressed.avi"), QStringLiteral("plain.avi")}) {
            const QString movie = folder.filePath(name);
            QVERIFY(saved.contains(movie));
            const MovieInfo info = ProbeMovie(movie);
            QVERIFY2(info.opened, qPrintable(info.error));
            QVERIFY(info.frames >= 5);
            QCOMPARE(info.decodeErrors, 0);
            QCOMPARE(info.pictures.size(), info.frames);
            QVERIFY(MeanDifference(info.pictures[0],
                                   FixedPalettes::reduceToDepth(desktopFrame(0), 8)) <=
                    toleranceFor(name.startsWith('c') ? QStringLiteral("MP43") : QString()));
            const QString errors = FfmpegDecodeErrors(movie);
            QVERIFY2(errors.isEmpty(), qPrintable(errors));
        }
        QCOMPARE(leftoversIn(temp.path()), QStringList());
        QStringList expected{QStringLiteral("compressed.avi"), QStringLiteral("plain.avi"),
                             QFileInfo(busy).fileName(),
                             QFileInfo(RecordingFiles::LockFileOf(busy)).fileName()};
        expected.sort();
        QStringList left = leftoversIn(folder.path());
        left.sort();
        QCOMPARE(left, expected);
    }

    // The player decodes what the recorder writes, and nothing else that lies in the folder:
    // another codec could carry pictures of any size whatever the header says.
    void thePlayerOpensOnlyRecordedMovies() {
        MoviePlayback player;
        const QString recorded = dir.filePath(QStringLiteral("played.avi"));
        auto writer = newWriter(recorded, QStringLiteral("MP43"));
        QVERIFY(writer && writer->StartMovie());
        QVERIFY(writer->WriteFrame(desktopFrame(0)));
        QVERIFY(writer->EndFrames() && writer->FinishMovie());
        QVERIFY(player.open(recorded));
        QCOMPARE(player.picture().size(), FrameSize);

        const QString foreign = dir.filePath(QStringLiteral("foreign.avi"));
        QVERIFY(writeForeignMovie(foreign, QSize(16, 12), QSize(640, 480)));
        QVERIFY(!player.open(foreign));
        QCOMPARE(player.mode(), MoviePlayback::NotOpen);
        QVERIFY(player.picture().isNull());
    }

    // An encoder that cannot keep up: frames beyond the queue are dropped at once, and the
    // movie keeps the time line (a dropped frame shows the one before it longer).
    void slowEncoderDropsFramesInsteadOfQueueing() {
        const QString movie = dir.filePath(QStringLiteral("slow.avi"));
        auto writer = newWriter(movie, QStringLiteral("MP43"));
        QVERIFY(writer && writer->StartMovie());
        QSemaphore entered;
        QSemaphore go;
        writer->OnFrameEncoding = [&](int) {
            entered.release();
            go.acquire();
        };
        RecordingWorker worker(std::move(writer), 2);
        QVERIFY(worker.submit({desktopFrame(0), 0, {}}));
        entered.acquire(); // the worker is inside the encoder with frame 0
        int accepted = 0;
        for (int n = 1; n <= 10; ++n)
            accepted += worker.submit({desktopFrame(n), n, {}}) ? 1 : 0;
        QCOMPARE(accepted, 2);
        QCOMPARE(worker.framesDropped(), 8);
        QVERIFY(!worker.canAccept());
        go.release(100);
        QTRY_VERIFY(worker.canAccept());
        QVERIFY(worker.submit({desktopFrame(11), 11, {}}));
        QSignalSpy finished(&worker, &RecordingWorker::finished);
        worker.finish();
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QCOMPARE(worker.framesWritten(), 4);

        const MovieInfo info = ProbeMovie(movie);
        QVERIFY2(info.opened, qPrintable(info.error));
        QCOMPARE(info.frames, 4);
        QCOMPARE(info.lastPtsMs, 11 * FrameTime);
        QVERIFY(MeanDifference(info.pictures.last(),
                               FixedPalettes::reduceToDepth(desktopFrame(11), 8)) <= 6);
    }
};

int main(int argc, char **argv) {
    if (argc == 3 && qstrcmp(argv[1], "--record-until-killed") == 0) {
        QGuiApplication app(argc, argv);
        return recordUntilKilled(QString::fromLocal8Bit(argv[2]));
    }
    QGuiApplication app(argc, argv);
    TestAviWriter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_avi_writer.moc"
