// The session recorder's cost: CPU time per recorded second and file size per minute for each
// compressor the recorder offers and for the uncompressed movie, at 1920 x 1080 (5 frames a
// second, a desktop where the pointer moves and text is typed every frame), and what one frame
// tick costs the screen's thread (the copy of the picture).
//
//   bench_recorder [frames]    the table (default 15 frames per codec)
//   bench_recorder --large     writes an uncompressed movie past 1 GB and reads it back, to see
//                              the OpenDML part of the muxer at work (needs about 1.2 GB free)
extern "C" {
#include <libavformat/avformat.h>
}

#include "SyntheticDesktop.h"
#include "recorder/AviWriter_2.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {
constexpr QSize Size(1920, 1080);
constexpr int FrameTime = 200;

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

QList<QImage> desktopFrames(int count) {
    localgw::SyntheticDesktop desktop(Size);
    QList<QImage> frames;
    for (int n = 0; n < count; ++n) {
        desktop.setPointer(QPoint(200 + n * 37 % 1500, 300 + n * 23 % 600));
        desktop.typeCharacter(QChar(u'a' + n % 26));
        desktop.setClock(QTime(9, 0).addSecs(n));
        frames.append(desktop.render().convertToFormat(QImage::Format_RGB32));
    }
    return frames;
}

int countFrames(const QString &path) {
    AVFormatContext *fmt = nullptr;
    if (avformat_open_input(&fmt, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return -1;
    AVPacket *pkt = av_packet_alloc();
    int n = 0;
    while (av_read_frame(fmt, pkt) >= 0) {
        n += pkt->size > 0 ? 1 : 0;
        av_packet_unref(pkt);
    }
    av_packet_free(&pkt);
    avformat_close_input(&fmt);
    return n;
}

int large() {
    QTemporaryDir dir;
    const QString movie = dir.filePath(QStringLiteral("large.avi"));
    TAviWriter_2 w;
    w.filename = movie;
    w.setPixelFormat(TAviWriter_2::pf8bit);
    w.FrameTime = FrameTime;
    w.Width = Size.width();
    w.Height = Size.height();
    w.OnTheFly = true;
    if (!w.StartMovie()) {
        std::printf("start failed: %s\n", qPrintable(w.errorString()));
        return 1;
    }
    const QList<QImage> frames = desktopFrames(10);
    const int total = 560; // 2 MB each: past the 1 GB of the first RIFF chunk
    QElapsedTimer t;
    t.start();
    for (int n = 0; n < total; ++n)
        if (!w.WriteFrame(frames[n % frames.size()])) {
            std::printf("frame %d failed: %s\n", n, qPrintable(w.errorString()));
            return 1;
        }
    w.EndFrames();
    if (!w.FinishMovie()) {
        std::printf("finish failed: %s\n", qPrintable(w.errorString()));
        return 1;
    }
    const qint64 size = QFileInfo(movie).size();
    std::printf("wrote %d frames, %.2f GB in %.1f s\n", total, double(size) / (1 << 30),
                double(t.elapsed()) / 1000);
    QFile f(movie);
    f.open(QIODevice::ReadOnly);
    const QByteArray head = f.read(16384);
    std::printf("OpenDML super index (indx): %s, odml header: %s\n",
                head.contains("indx") ? "yes" : "no",
                head.contains("LIST") && head.contains("odml") ? "yes" : "no");
    std::printf("libavformat reads %d frames\n", countFrames(movie));
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (!ffprobe.isEmpty()) {
        QProcess p;
        p.start(ffprobe,
                {"-v", "error", "-select_streams", "v:0", "-count_packets", "-show_entries",
                 "stream=nb_read_packets,nb_frames", "-of", "csv", movie});
        p.waitForFinished(600000);
        std::printf("ffprobe: %s", p.readAllStandardOutput().constData());
    }
    return 0;
}
} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--large") == 0)
        return large();
    const int count = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 15;
    const QList<QImage> frames = desktopFrames(count);
    QTemporaryDir dir;

    // The screen's thread copies the shown picture once per frame.
    QElapsedTimer copyTimer;
    copyTimer.start();
    for (const QImage &f : frames) {
        const QImage copy = f.copy();
        Q_UNUSED(copy);
    }
    std::printf("main thread per frame tick (picture copy, %dx%d): %.2f ms\n\n", Size.width(),
                Size.height(), double(copyTimer.nsecsElapsed()) / 1e6 / count);

    TAviWriter_2 probe;
    probe.Width = Size.width();
    probe.Height = Size.height();
    probe.setPixelFormat(TAviWriter_2::pf8bit);
    QStringList codecs{QString()};
    for (const QString &entry : probe.ListCodecs().mid(1))
        codecs.append(entry.left(4));

    std::printf("%-14s %12s %14s %14s %12s\n", "codec", "ms/frame", "CPU s per s", "MB per minute",
                "keeps up");
    for (const QString &codec : codecs) {
        const QString movie = dir.filePath(codec.isEmpty() ? "raw.avi" : codec + ".avi");
        TAviWriter_2 w;
        w.filename = movie;
        w.setPixelFormat(TAviWriter_2::pf8bit);
        w.FrameTime = FrameTime;
        w.Width = Size.width();
        w.Height = Size.height();
        w.SelectCodec(codec);
        w.OnTheFly = true; // the uncompressed copy at the end is a file copy, not counted
        w.SetCodecQuality(5000);
        if (!w.StartMovie())
            continue;
        const double start = threadCpuSeconds();
        for (const QImage &f : frames)
            w.WriteFrame(f);
        w.EndFrames();
        w.FinishMovie();
        const double cpu = threadCpuSeconds() - start;
        const double movieSeconds = double(count) * FrameTime / 1000;
        const double mbPerMinute =
            double(QFileInfo(movie).size()) / (1 << 20) * (60.0 / movieSeconds);
        std::printf("%-14s %12.1f %14.2f %14.1f %12s\n",
                    qPrintable(codec.isEmpty() ? QStringLiteral("uncompressed") : codec),
                    cpu * 1000 / count, cpu / movieSeconds, mbPerMinute,
                    cpu / movieSeconds < 1 ? "yes" : "drops");
    }
    return 0;
}
