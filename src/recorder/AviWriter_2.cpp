#include "recorder/AviWriter_2.h"

#include "recorder/AvSupport.h"
#include "recorder/RecordingFiles.h"
#include "screen/FixedPalettes.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>

#include <array>
#include <cfenv>
#include <cmath>
#include <filesystem>
#include <mutex>

using namespace AvSupport;

namespace {
const KnownCodec *findCodec(const QString &fourCC) {
    for (const KnownCodec &c : KnownCodecs)
        if (fourCC.compare(QLatin1String(c.fourCC), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

AVPixelFormat sourceFormat(int bits) {
    switch (bits) {
    case 8:
        return AV_PIX_FMT_PAL8;
    case 24:
        return AV_PIX_FMT_BGR24;
    default:
        return AV_PIX_FMT_BGRA; // a 32-bit bitmap row is B, G, R, unused
    }
}

AVPixelFormat encoderFormat(const AVCodec *encoder, int bits) {
    if (!encoder->pix_fmts)
        return AV_PIX_FMT_NONE;
    return avcodec_find_best_pix_fmt_of_list(encoder->pix_fmts, sourceFormat(bits), 0, nullptr);
}

// The compression quality (0 to 10000) as the quantiser of the MPEG-4 encoders: 10000 gives
// 2, the default 5000 gives 6, 0 gives 10. Coarser steps smear the text of a screen beyond
// reading; the other encoders have no quality setting.
int quantiserFor(int quality) {
    return 2 + (10000 - qBound(0, quality, 10000)) * 8 / 10000;
}

void configure(AVCodecContext *c, QSize size, int frameTime, AVPixelFormat format, int quality) {
    c->width = size.width();
    c->height = size.height();
    c->pix_fmt = format;
    c->time_base = AVRational{frameTime, 1000};
    c->framerate = AVRational{1000, frameTime};
    c->gop_size = qMax(1, RoundHalfEven(1000.0 / frameTime));
    c->max_b_frames = 0;
    c->flags |= AV_CODEC_FLAG_QSCALE;
    c->global_quality = FF_QP2LAMBDA * quantiserFor(quality);
    c->thread_count = 1;
}

// The compression query: can this encoder take frames of this size and depth?
bool accepts(const AVCodec *encoder, QSize size, int bits, int frameTime) {
    if (size.width() <= 0 || size.height() <= 0)
        return false;
    const AVPixelFormat format = encoderFormat(encoder, bits);
    if (format == AV_PIX_FMT_NONE)
        return false;
    CodecPtr c(avcodec_alloc_context3(encoder));
    if (!c)
        return false;
    configure(c.get(), size, frameTime, format, 5000);
    return avcodec_open2(c.get(), encoder, nullptr) >= 0;
}

void quietLibraries() {
    static std::once_flag once;
    // Failures come back as the writer's own messages; the probing of encoders that refuse a
    // size would otherwise print to the console's error output.
    std::call_once(once, [] { av_log_set_level(AV_LOG_FATAL); });
}

int dibStride(int width, int bits) {
    return (width * bits + 31) / 32 * 4;
}
} // namespace

int RoundHalfEven(double value) {
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(saved);
    return int(r);
}

struct TAviWriter_2::Av {
    OutputPtr out;
    AVStream *stream = nullptr;
    const KnownCodec *codec = nullptr;
    CodecPtr encoder;
    SwsContext *sws = nullptr;
    FramePtr frame;
    PacketPtr packet;
    bool paletteSent = false;

    ~Av() { sws_freeContext(sws); }
};

TAviWriter_2::TAviWriter_2() {
    quietLibraries();
    // qGuiApp is a plain cast: in a program without a GUI application it is no such object.
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    const QSize s = screen ? screen->size() : QSize(1024, 768);
    Width = s.width() / 10;
    Height = s.height() / 10;
}

TAviWriter_2::~TAviWriter_2() {
    // A movie being written is finished, as releasing the file finished it on Windows.
    if (Initialized)
        EndFrames();
    if (NeedsFinishing)
        FinishMovie();
    closeWorkingFile(false);
}

bool TAviWriter_2::fail(const QString &text) {
    Error = text;
    return false;
}

bool TAviWriter_2::setPixelFormat(int bits) {
    if (bits != pfDevice && bits != pf8bit && bits != pf24bit && bits != pf32bit)
        return fail(QStringLiteral("Pixelformat not supported"));
    PixelFormat = bits;
    return true;
}

QStringList TAviWriter_2::ListCodecs() {
    QStringList list{QStringLiteral("No Compression")};
    const int bits = PixelFormat == pfDevice ? pf24bit : PixelFormat;
    for (const KnownCodec &c : KnownCodecs) {
        const AVCodec *encoder = avcodec_find_encoder(c.id);
        if (encoder && accepts(encoder, QSize(Width, Height), bits, FrameTime))
            list.append(QLatin1String(c.fourCC) + QLatin1Char(' ') +
                        QString::fromLatin1(encoder->name));
    }
    return list;
}

bool TAviWriter_2::SelectCodec(const QString &fourCC) {
    const QString wanted = fourCC.left(4);
    Codec.clear();
    if (wanted.isEmpty())
        return true;
    const KnownCodec *c = findCodec(wanted);
    const AVCodec *encoder = c ? avcodec_find_encoder(c->id) : nullptr;
    const int bits = PixelFormat == pfDevice ? pf24bit : PixelFormat;
    if (!encoder || !accepts(encoder, QSize(Width, Height), bits, FrameTime))
        return fail(QStringLiteral("No compressor for ") + wanted + QStringLiteral("\n available"));
    Codec = QLatin1String(c->fourCC);
    return true;
}

void TAviWriter_2::SetCodecQuality(int quality) {
    Quality = qBound(0, quality, 10000);
}

QString TAviWriter_2::muxerOptions() {
    return QLatin1String(FlippedRawOption) + QStringLiteral("=1");
}

bool TAviWriter_2::fileFailed() const {
    return WriteFailed || HeaderRefused || (av && av->out && av->out->pb && av->out->pb->error < 0);
}

void TAviWriter_2::closeWorkingFile(bool keep) {
    av.reset();
    // Removed before the lock goes, so that no recovery takes it for a leftover meanwhile.
    if (!keep && !Target.isEmpty() && QFileInfo::exists(Target))
        QFile::remove(Target);
    Target.clear();
    TargetLock.reset();
}

bool TAviWriter_2::StartMovie() {
    closeWorkingFile(false);
    Aborted = false;
    Initialized = false;
    NeedsFinishing = false;
    HeaderWritten = false;
    HeaderRefused = false;
    WriteFailed = false;
    FrameSize = QSize();
    Error.clear();
    KeptFile.clear();
    if (PixelFormat == pfDevice) {
        Aborted = true;
        return fail(
            QStringLiteral("For adding frames on the fly the pixelformat must be <> pfDevice"));
    }
    // Uniquely named, so two consoles (or a recording still being finished) never share one,
    // and locked from its creation: an unlocked one is a leftover to any recovery.
    if (!filename.isEmpty()) {
        RecordingFiles::WorkingFile working = OnTheFly
                                                  ? RecordingFiles::CreatePartialFile(filename)
                                                  : RecordingFiles::CreateTemporaryFile(filename);
        Target = working.path;
        TargetLock = std::move(working.lock);
    }
    if (Target.isEmpty())
        return fail(QStringLiteral("Failed to create AVI video file. Err: $") +
                    ErrorCode(AVERROR(EACCES)));

    av = std::make_unique<Av>();
    av->codec = Codec.isEmpty() ? nullptr : findCodec(Codec);
    AVFormatContext *ctx = nullptr;
    int ret = avformat_alloc_output_context2(&ctx, nullptr, "avi", nullptr);
    if (ret >= 0 && ctx) {
        av->out.reset(ctx);
        ret = avio_open(&ctx->pb, LocalPath(Target).constData(), AVIO_FLAG_WRITE);
    }
    if (ret < 0 || !ctx) {
        closeWorkingFile(false);
        return fail(QStringLiteral("Failed to create AVI video file. Err: $") + ErrorCode(ret));
    }
    // Every frame reaches the file as it is written: a crash loses at most the frame under way.
    ctx->flush_packets = 1;
    av->stream = avformat_new_stream(ctx, nullptr);
    if (!av->stream) {
        closeWorkingFile(false);
        return fail(QStringLiteral("Failed to create AVI video stream"));
    }
    av->stream->time_base = AVRational{FrameTime, 1000};
    av->packet.reset(av_packet_alloc());
    FrameCount = 0;
    LastSlot = -1;
    Initialized = true;
    return true;
}

bool TAviWriter_2::openEncoder(QSize size) {
    const AVCodec *encoder = avcodec_find_encoder(av->codec->id);
    const AVPixelFormat format = encoder ? encoderFormat(encoder, PixelFormat) : AV_PIX_FMT_NONE;
    if (format == AV_PIX_FMT_NONE)
        return false;
    av->encoder.reset(avcodec_alloc_context3(encoder));
    if (!av->encoder)
        return false;
    configure(av->encoder.get(), size, FrameTime, format, Quality);
    if (avcodec_open2(av->encoder.get(), encoder, nullptr) < 0)
        return false;
    sws_freeContext(av->sws);
    av->sws = sws_getContext(size.width(), size.height(), sourceFormat(PixelFormat), size.width(),
                             size.height(), format, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr,
                             nullptr, nullptr);
    av->frame.reset(av_frame_alloc());
    if (!av->sws || !av->frame)
        return false;
    av->frame->format = format;
    av->frame->width = size.width();
    av->frame->height = size.height();
    if (av_frame_get_buffer(av->frame.get(), 0) < 0)
        return false;
    if (avcodec_parameters_from_context(av->stream->codecpar, av->encoder.get()) < 0)
        return false;
    av->stream->codecpar->codec_tag = av->codec->tag;
    return true;
}

bool TAviWriter_2::writeHeader(QSize size) {
    // Tried once: an encoder that refuses the size refuses every frame of it.
    if (HeaderRefused)
        return false;
    HeaderRefused = true;
    FrameSize = size;
    if (av->codec) {
        if (!openEncoder(size))
            return fail(QStringLiteral("Failed to create compressed stream"));
    } else {
        AVCodecParameters *p = av->stream->codecpar;
        p->codec_type = AVMEDIA_TYPE_VIDEO;
        p->codec_id = AV_CODEC_ID_RAWVIDEO;
        p->codec_tag = 0; // BI_RGB
        p->width = size.width();
        p->height = size.height();
        p->format = sourceFormat(PixelFormat);
        p->bits_per_coded_sample = PixelFormat;
    }
    av->stream->avg_frame_rate = AVRational{1000, FrameTime};
    AVDictionary *options = nullptr;
    av_dict_set(&options, FlippedRawOption, "1", 0);
    const int ret = avformat_write_header(av->out.get(), &options);
    av_dict_free(&options);
    if (ret < 0)
        return fail(QStringLiteral("Failed to set AVI stream format"));
    HeaderRefused = false;
    HeaderWritten = true;
    return true;
}

QImage TAviWriter_2::workingBitmap(const QImage &source) const {
    const QSize size = FrameSize.isValid()         ? FrameSize
                       : (Width > 0 && Height > 0) ? QSize(Width, Height)
                                                   : source.size();
    QImage work;
    if (source.size() == size) {
        work = source;
    } else if (Stretch) {
        work = source.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    } else {
        work = QImage(size, QImage::Format_RGB32);
        work.fill(Qt::black);
        QPainter p(&work);
        p.drawImage((size.width() - source.width()) / 2, (size.height() - source.height()) / 2,
                    source);
    }
    switch (PixelFormat) {
    case pf8bit:
        // The palette of the remote screen's 256-colour depth: a session shown at 8 or 4 bits
        // per pixel is recorded without any loss.
        return FixedPalettes::toIndexed(work, 8);
    case pf24bit:
        return work.convertToFormat(QImage::Format_BGR888);
    default:
        return work.convertToFormat(QImage::Format_RGB32);
    }
}

bool TAviWriter_2::writePacket(AVPacket *packet) {
    packet->stream_index = 0;
    const int ret = av_write_frame(av->out.get(), packet);
    if (ret < 0 || fileFailed()) {
        WriteFailed = fileFailed();
        return fail(QStringLiteral("Failed to add Frame. Err: ") + ErrorCode(ret < 0 ? ret : -1));
    }
    return true;
}

bool TAviWriter_2::drainEncoder(bool flush) {
    if (flush && avcodec_send_frame(av->encoder.get(), nullptr) < 0)
        return false;
    AVPacket *packet = av->packet.get();
    for (;;) {
        const int ret = avcodec_receive_packet(av->encoder.get(), packet);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return true;
        if (ret < 0)
            return fail(QStringLiteral("Failed to add Frame. Err: ") + ErrorCode(ret));
        av_packet_rescale_ts(packet, av->encoder->time_base, av->stream->time_base);
        const bool ok = writePacket(packet);
        av_packet_unref(packet);
        if (!ok)
            return false;
    }
}

bool TAviWriter_2::encode(const QImage &working, qint64 slot) {
    const int w = working.width();
    const int h = working.height();
    if (!av->codec) {
        // A Windows bitmap: rows bottom-up, each padded to 4 bytes, which QImage rows are too.
        const int stride = dibStride(w, PixelFormat);
        AVPacket *packet = av->packet.get();
        int ret = av_new_packet(packet, stride * h);
        if (ret < 0)
            return fail(QStringLiteral("Failed to add Frame. Err: ") + ErrorCode(ret));
        for (int y = 0; y < h; ++y)
            memcpy(packet->data + qsizetype(y) * stride, working.constScanLine(h - 1 - y),
                   size_t(qMin<qsizetype>(stride, working.bytesPerLine())));
        if (PixelFormat == pf8bit && !av->paletteSent) {
            // The muxer writes the palette into the frame format from the first frame.
            uint8_t *side = av_packet_new_side_data(packet, AV_PKT_DATA_PALETTE, AVPALETTE_SIZE);
            if (side) {
                std::array<uint32_t, 256> palette{};
                const QList<QRgb> table = working.colorTable();
                for (int i = 0; i < table.size() && i < 256; ++i)
                    palette[size_t(i)] = table[i] | 0xff000000u;
                memcpy(side, palette.data(), AVPALETTE_SIZE);
                av->paletteSent = true;
            }
        }
        packet->flags |= AV_PKT_FLAG_KEY;
        packet->pts = packet->dts = slot;
        packet->duration = 1;
        av_packet_rescale_ts(packet, AVRational{FrameTime, 1000}, av->stream->time_base);
        const bool ok = writePacket(packet);
        av_packet_unref(packet);
        return ok;
    }

    AVFrame *frame = av->frame.get();
    int ret = av_frame_make_writable(frame);
    if (ret < 0)
        return fail(QStringLiteral("Failed to add Frame. Err: ") + ErrorCode(ret));
    const uint8_t *src[4] = {working.constBits(), nullptr, nullptr, nullptr};
    int srcStride[4] = {int(working.bytesPerLine()), 0, 0, 0};
    std::array<uint32_t, 256> palette{};
    if (PixelFormat == pf8bit) {
        const QList<QRgb> table = working.colorTable();
        for (int i = 0; i < table.size() && i < 256; ++i)
            palette[size_t(i)] = table[i] | 0xff000000u;
        src[1] = reinterpret_cast<const uint8_t *>(palette.data());
    }
    sws_scale(av->sws, src, srcStride, 0, h, frame->data, frame->linesize);
    frame->pts = slot;
    frame->quality = av->encoder->global_quality;
    ret = avcodec_send_frame(av->encoder.get(), frame);
    if (ret < 0)
        return fail(QStringLiteral("Failed to add Frame. Err: ") + ErrorCode(ret));
    return drainEncoder(false);
}

bool TAviWriter_2::WriteFrame(const QImage &bitmap, qint64 slot) {
    if (Aborted)
        return true;
    if (!Initialized || !av)
        return fail(QStringLiteral("Video must be initialized."));
    if (bitmap.isNull())
        return fail(QStringLiteral("Failed to retrieve bitmap info"));
    const QImage working = workingBitmap(bitmap);
    if (working.isNull())
        return fail(QStringLiteral("Failed to retrieve bitmap info"));
    if (!HeaderWritten && !writeHeader(working.size()))
        return false;
    if (slot <= LastSlot)
        slot = LastSlot + 1;
    if (OnFrameEncoding)
        OnFrameEncoding(FrameCount);
    if (!encode(working, slot))
        return false;
    LastSlot = slot;
    ++FrameCount;
    if (FrameCount % 20 == 0 && OnProgress) {
        bool abort = false;
        OnProgress(FrameCount, abort);
        if (abort)
            Aborted = true;
    }
    return true;
}

bool TAviWriter_2::EndFrames() {
    Initialized = false;
    NeedsFinishing = true;
    return true;
}

bool TAviWriter_2::publish() {
    if (OnTheFly) {
        std::error_code ec;
        std::filesystem::rename(std::filesystem::path(Target.toStdString()),
                                std::filesystem::path(filename.toStdString()), ec);
        if (!ec)
            return true;
        if (QFileInfo::exists(filename))
            return fail(QStringLiteral("File ") + filename +
                        QStringLiteral(" could not be deleted. It could be in use by another "
                                       "application."));
        return fail(QStringLiteral("Unable to write output file. Error ") +
                    ErrorCode(AVERROR(ec.value())));
    }
    // The uncompressed movie is copied out of the temporary folder; the copy appears whole or
    // not at all.
    QFile in(Target);
    QSaveFile out(filename);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        if (QFileInfo::exists(filename))
            return fail(QStringLiteral("File ") + filename +
                        QStringLiteral(" could not be deleted. It could be in use by another "
                                       "application."));
        return fail(QStringLiteral("Unable to write output file. Error ") +
                    ErrorCode(int(out.error())));
    }
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty())
        if (out.write(chunk) != chunk.size())
            break;
    if (in.error() != QFileDevice::NoError || !out.flush() || !out.commit())
        return fail(QStringLiteral("Unable to write output file. Error ") +
                    ErrorCode(int(out.error())));
    return true;
}

bool TAviWriter_2::FinishMovie() {
    if (!NeedsFinishing || (Aborted && !OnTheFly)) {
        const bool wasFinishing = NeedsFinishing;
        closeWorkingFile(false);
        NeedsFinishing = false;
        if (!wasFinishing)
            return fail(QStringLiteral("Video must be finalized"));
        return true;
    }
    bool ok = av != nullptr;
    if (ok && !HeaderWritten) {
        // No frame came: a movie without frames, of the size announced.
        const QSize size(Width > 0 ? Width : 1, Height > 0 ? Height : 1);
        ok = writeHeader(size);
    }
    if (ok && av->encoder)
        ok = drainEncoder(true);
    if (ok) {
        const int ret = av_write_trailer(av->out.get());
        if (ret < 0 || fileFailed())
            ok = fail(QStringLiteral("Unable to write output file. Error ") +
                      ErrorCode(ret < 0 ? ret : av->out->pb->error));
    }
    if (av && av->out && av->out->pb && avio_closep(&av->out->pb) < 0 && ok)
        ok = fail(QStringLiteral("Unable to write output file. Error ") + ErrorCode(AVERROR(EIO)));
    av.reset();
    if (ok)
        ok = publish();
    bool keep = false;
    if (!ok && FrameCount > 0) {
        // What was written up to the last whole frame is still a movie. Until it is one, the
        // working file is the only copy of the frames.
        const QString failure = Error;
        keep = RecordingFiles::SalvageRecording(Target, filename) < 0;
        if (keep)
            KeptFile = Target;
        Error = failure;
    }
    closeWorkingFile(keep);
    NeedsFinishing = false;
    return ok;
}
