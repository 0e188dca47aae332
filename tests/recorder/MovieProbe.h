#pragma once
// Reads a movie back the way a player would: libavformat opens it, libavcodec decodes every
// frame. Also asks ffprobe and ffmpeg when they are installed.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <QFile>
#include <QImage>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <cmath>

struct MovieInfo {
    bool opened = false;
    QString error;
    quint32 tag = 0; // the stream's FourCC (0 for uncompressed bitmaps)
    QString codecName;
    QSize size;
    AVRational rate{0, 1};   // frames per second as the header gives it
    int frames = 0;          // chunks that carry a picture
    qint64 lastPtsMs = -1;   // where the last chunk (empty or not) sits on the time line
    QList<QImage> pictures;  // every decoded frame, in Format_RGB32
    QList<qint64> pictureMs; // and where each one starts
    int decodeErrors = 0;

    QString tagText() const {
        QString s;
        for (int i = 0; i < 4; ++i)
            s += QChar(char((tag >> (8 * i)) & 0xff));
        return tag == 0 ? QString() : s;
    }
};

inline MovieInfo ProbeMovie(const QString &path, bool decode = true) {
    MovieInfo info;
    AVFormatContext *fmt = nullptr;
    if (avformat_open_input(&fmt, QFile::encodeName(path).constData(), nullptr, nullptr) < 0) {
        info.error = QStringLiteral("cannot open");
        return info;
    }
    struct Closer {
        AVFormatContext *&f;
        ~Closer() { avformat_close_input(&f); }
    } closer{fmt};
    if (avformat_find_stream_info(fmt, nullptr) < 0 || fmt->nb_streams != 1) {
        info.error = QStringLiteral("no single stream");
        return info;
    }
    AVStream *st = fmt->streams[0];
    info.opened = true;
    info.tag = st->codecpar->codec_tag;
    info.codecName = QString::fromLatin1(avcodec_get_name(st->codecpar->codec_id));
    info.size = QSize(st->codecpar->width, st->codecpar->height);
    info.rate = st->r_frame_rate;
    const AVCodec *codec = avcodec_find_decoder(st->codecpar->codec_id);
    AVCodecContext *dec = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!dec || avcodec_parameters_to_context(dec, st->codecpar) < 0 ||
        avcodec_open2(dec, codec, nullptr) < 0) {
        info.error = QStringLiteral("no decoder");
        avcodec_free_context(&dec);
        return info;
    }
    AVPacket *pkt = av_packet_alloc();
    AVFrame *frame = av_frame_alloc();
    const auto toMs = [st](int64_t ts) {
        return ts == AV_NOPTS_VALUE ? -1 : av_rescale_q(ts, st->time_base, AVRational{1, 1000});
    };
    const auto take = [&] {
        while (avcodec_receive_frame(dec, frame) >= 0) {
            QImage img(frame->width, frame->height, QImage::Format_RGB32);
            SwsContext *sws =
                sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
                               frame->width, frame->height, AV_PIX_FMT_BGRA,
                               SWS_POINT | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
            uint8_t *dst[4] = {img.bits(), nullptr, nullptr, nullptr};
            int dstStride[4] = {int(img.bytesPerLine()), 0, 0, 0};
            sws_scale(sws, frame->data, frame->linesize, 0, frame->height, dst, dstStride);
            sws_freeContext(sws);
            info.pictures.append(img);
            info.pictureMs.append(toMs(frame->best_effort_timestamp));
        }
    };
    while (av_read_frame(fmt, pkt) >= 0) {
        if (pkt->size > 0)
            ++info.frames;
        info.lastPtsMs = std::max<qint64>(info.lastPtsMs,
                                          toMs(pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts));
        if (decode && pkt->size > 0) {
            if (avcodec_send_packet(dec, pkt) < 0)
                ++info.decodeErrors;
            take();
        }
        av_packet_unref(pkt);
    }
    if (decode) {
        avcodec_send_packet(dec, nullptr);
        take();
    }
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&dec);
    return info;
}

// Mean absolute difference per colour channel, 0 to 255; 255 when the sizes differ.
inline double MeanDifference(const QImage &a, const QImage &b) {
    if (a.size() != b.size() || a.isNull())
        return 255;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int r = 0; r < x.height(); ++r) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(r));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(r));
        for (int c = 0; c < x.width(); ++c)
            sum += std::abs(qRed(p[c]) - qRed(q[c])) + std::abs(qGreen(p[c]) - qGreen(q[c])) +
                   std::abs(qBlue(p[c]) - qBlue(q[c]));
    }
    return sum / (3.0 * x.width() * x.height());
}

// ffprobe's view of the first video stream (key=value lines), empty when ffprobe is missing.
// `ok` is false when it is there and refuses the file.
inline QMap<QString, QString> Ffprobe(const QString &path, bool *ok) {
    QMap<QString, QString> values;
    *ok = true;
    const QString exe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (exe.isEmpty())
        return values;
    QProcess p;
    p.start(exe, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
                  QStringLiteral("-select_streams"), QStringLiteral("v:0"),
                  QStringLiteral("-show_entries"),
                  QStringLiteral("stream=codec_tag_string,width,height,nb_read_frames,"
                                 "r_frame_rate"),
                  QStringLiteral("-of"), QStringLiteral("default=nw=1"), path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *ok = false;
        return values;
    }
    for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            values.insert(QString::fromLatin1(line.left(eq)),
                          QString::fromLatin1(line.mid(eq + 1)).trimmed());
    }
    *ok = !values.isEmpty();
    return values;
}

// ffmpeg decodes the whole movie; returns what it printed at level "error" (empty: clean), or
// a null string when ffmpeg is missing.
inline QString FfmpegDecodeErrors(const QString &path) {
    const QString exe = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (exe.isEmpty())
        return QString();
    QProcess p;
    p.start(exe, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path,
                  QStringLiteral("-f"), QStringLiteral("null"), QStringLiteral("-")});
    if (!p.waitForFinished(60000))
        return QStringLiteral("ffmpeg did not finish");
    const QString err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    if (p.exitCode() != 0 && err.isEmpty())
        return QStringLiteral("ffmpeg exit code ") + QString::number(p.exitCode());
    return err.isNull() ? QStringLiteral("") : err;
}
