#include "recorder/MoviePlayback.h"

#include "recorder/AvSupport.h"

#include <vector>

using namespace AvSupport;

namespace {
constexpr qint64 MaxSide = 16384;
constexpr qint64 MaxPixels = 8192LL * 8192;

// What the recorder writes: its compressors, or uncompressed bitmaps.
bool recorderCodec(AVCodecID id) {
    if (id == AV_CODEC_ID_RAWVIDEO)
        return true;
    for (const KnownCodec &c : KnownCodecs)
        if (c.id == id)
            return true;
    return false;
}

// What a decoder may allocate for pictures of the header's size: the picture with the margins
// the MPEG-4 decoders keep around it. Nothing for a size no movie of the recorder has.
int64_t decoderPixels(qint64 w, qint64 h) {
    if (w <= 0 || h <= 0 || w > MaxSide || h > MaxSide || w * h > MaxPixels)
        return 1;
    return (w + 256) * (h + 256);
}

// Their decoders' names, as FFmpeg's lists of allowed decoders take them.
QByteArray RecorderDecoders() {
    static const QByteArray names = [] {
        QByteArrayList list{avcodec_find_decoder(AV_CODEC_ID_RAWVIDEO)->name};
        for (const KnownCodec &c : KnownCodecs)
            if (const AVCodec *d = avcodec_find_decoder(c.id))
                list.append(d->name);
        return list.join(',');
    }();
    return names;
}
} // namespace

struct MoviePlayback::Av {
    InputPtr format;
    CodecPtr decoder;
    PacketPtr packet;
    FramePtr frame;
    SwsContext *sws = nullptr;
    int stream = -1;
    AVRational timeBase{1, 1000};
    bool flushed = false; // the decoder was told the input ended

    ~Av() { sws_freeContext(sws); }

    qint64 toMs(int64_t ts) const { return av_rescale_q(ts, timeBase, AVRational{1, 1000}); }
};

MoviePlayback::MoviePlayback(QObject *parent) : QObject(parent) {
    Ticker.setInterval(15);
    connect(&Ticker, &QTimer::timeout, this, &MoviePlayback::tick);
}

MoviePlayback::~MoviePlayback() = default;

void MoviePlayback::close() {
    Ticker.stop();
    av.reset();
    State = NotOpen;
    Size = QSize();
    LengthMs = 0;
    BaseMs = 0;
    Picture = QImage();
    Pending = QImage();
    PendingMs = -1;
    AtEnd = false;
}

bool MoviePlayback::open(const QString &path) {
    close();
    auto a = std::make_unique<Av>();
    AVFormatContext *raw = nullptr;
    // Only the AVI reader looks at the file, whatever else it may be.
    const AVInputFormat *avi = av_find_input_format("avi");
    if (avformat_open_input(&raw, LocalPath(path).constData(), avi, nullptr) < 0)
        return false;
    a->format.reset(raw);
    // The stream probe decodes too: only the recorder's decoders, at the headers' sizes.
    std::vector<AVDictionary *> probeOptions(raw->nb_streams, nullptr);
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        const AVCodecParameters *par = raw->streams[i]->codecpar;
        av_dict_set_int(&probeOptions[i], "max_pixels", decoderPixels(par->width, par->height), 0);
        av_dict_set(&probeOptions[i], "codec_whitelist", RecorderDecoders().constData(), 0);
    }
    const int probed = avformat_find_stream_info(raw, probeOptions.data());
    for (AVDictionary *&options : probeOptions)
        av_dict_free(&options);
    if (probed < 0)
        return false;
    const AVCodec *codec = nullptr;
    a->stream = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    // Whatever lies in the folder is opened: only what the recorder writes is decoded, and
    // never at a size beyond the header's or too large to hold.
    if (a->stream < 0 || !codec || !recorderCodec(codec->id))
        return false;
    const AVStream *st = raw->streams[a->stream];
    const qint64 w = st->codecpar->width;
    const qint64 h = st->codecpar->height;
    if (decoderPixels(w, h) <= 1)
        return false;
    a->decoder.reset(avcodec_alloc_context3(codec));
    if (!a->decoder || avcodec_parameters_to_context(a->decoder.get(), st->codecpar) < 0)
        return false;
    // The stream may announce another size than the header: the decoder allocates no more.
    a->decoder->max_pixels = decoderPixels(w, h);
    a->decoder->thread_count = 1;
    if (avcodec_open2(a->decoder.get(), codec, nullptr) < 0)
        return false;
    a->packet.reset(av_packet_alloc());
    a->frame.reset(av_frame_alloc());
    if (!a->packet || !a->frame)
        return false;
    a->timeBase = st->time_base;
    av = std::move(a);
    Size = QSize(st->codecpar->width, st->codecpar->height);
    LengthMs = st->duration != AV_NOPTS_VALUE    ? av->toMs(st->duration)
               : raw->duration != AV_NOPTS_VALUE ? raw->duration / 1000
                                                 : 0;
    State = Stopped;
    // Read from the start without seeking: the packets the stream probe read are still
    // waiting, and the first carries what the decoder keeps for all (an 8-bit palette).
    if (decodeNext()) {
        Picture = Pending;
        decodeNext();
    }
    emit pictureChanged();
    return !Picture.isNull() || LengthMs == 0;
}

bool MoviePlayback::decodeNext() {
    Pending = QImage();
    PendingMs = -1;
    if (!av || AtEnd)
        return false;
    AVCodecContext *dec = av->decoder.get();
    for (;;) {
        const int got = avcodec_receive_frame(dec, av->frame.get());
        if (got >= 0) {
            AVFrame *f = av->frame.get();
            // A picture of another size than the movie's is not one of its frames.
            if (f->width != Size.width() || f->height != Size.height()) {
                av_frame_unref(f);
                continue;
            }
            av->sws = sws_getCachedContext(av->sws, f->width, f->height, AVPixelFormat(f->format),
                                           f->width, f->height, AV_PIX_FMT_BGRA, SWS_POINT, nullptr,
                                           nullptr, nullptr);
            // swscale's vector code may write past the end of a row and of the last one: the
            // rows are converted into a wider, taller picture and the frame is cut out of it.
            QImage padded((f->width + 63) / 64 * 64, f->height + 2, QImage::Format_RGB32);
            if (!av->sws || padded.isNull()) {
                av_frame_unref(f);
                continue;
            }
            uint8_t *dst[4] = {padded.bits(), nullptr, nullptr, nullptr};
            const int dstStride[4] = {int(padded.bytesPerLine()), 0, 0, 0};
            sws_scale(av->sws, f->data, f->linesize, 0, f->height, dst, dstStride);
            const QImage img = padded.copy(0, 0, f->width, f->height);
            const int64_t ts =
                f->best_effort_timestamp != AV_NOPTS_VALUE ? f->best_effort_timestamp : f->pts;
            PendingMs = ts != AV_NOPTS_VALUE ? av->toMs(ts) : 0;
            Pending = img;
            av_frame_unref(f);
            return true;
        }
        if (got != AVERROR(EAGAIN)) {
            AtEnd = true;
            return false;
        }
        AVPacket *p = av->packet.get();
        const int read = av_read_frame(av->format.get(), p);
        if (read < 0) {
            if (av->flushed) {
                AtEnd = true;
                return false;
            }
            av->flushed = true;
            avcodec_send_packet(dec, nullptr);
            continue;
        }
        // An empty chunk is a dropped frame: the picture before it stays.
        if (p->stream_index == av->stream && p->size > 0)
            avcodec_send_packet(dec, p);
        av_packet_unref(p);
    }
}

qint64 MoviePlayback::clockPosition() const {
    return qMin(LengthMs, BaseMs + Clock.elapsed());
}

qint64 MoviePlayback::position() const {
    return State == Playing ? clockPosition() : BaseMs;
}

void MoviePlayback::play() {
    if (State == NotOpen || State == Playing)
        return;
    if (BaseMs >= LengthMs)
        seek(0);
    State = Playing;
    Clock.start();
    Ticker.start();
    tick();
}

void MoviePlayback::pause() {
    if (State != Playing)
        return;
    BaseMs = clockPosition();
    State = Paused;
    Ticker.stop();
}

void MoviePlayback::stop() {
    if (State != Playing && State != Paused)
        return;
    BaseMs = position();
    State = Stopped;
    Ticker.stop();
}

void MoviePlayback::seek(qint64 milliseconds) {
    if (!av)
        return;
    const qint64 target = qBound<qint64>(0, milliseconds, LengthMs);
    const int64_t ts = av_rescale_q_rnd(target, AVRational{1, 1000}, av->timeBase, AV_ROUND_DOWN);
    av_seek_frame(av->format.get(), av->stream, ts, AVSEEK_FLAG_BACKWARD);
    avcodec_flush_buffers(av->decoder.get());
    av->flushed = false;
    AtEnd = false;
    // From the key frame before the moment, up to the last picture not after it.
    QImage shown;
    while (decodeNext()) {
        if (PendingMs > target && !shown.isNull())
            break;
        shown = Pending;
    }
    if (!shown.isNull())
        Picture = shown;
    BaseMs = target;
    if (State == Playing)
        Clock.start();
    emit pictureChanged();
}

void MoviePlayback::tick() {
    if (State != Playing)
        return;
    const qint64 now = clockPosition();
    bool changed = false;
    while (!Pending.isNull() && PendingMs <= now) {
        Picture = Pending;
        changed = true;
        decodeNext();
    }
    if (changed)
        emit pictureChanged();
    if (now >= LengthMs) {
        BaseMs = LengthMs;
        State = Stopped;
        Ticker.stop();
        emit ended();
    }
}
