#pragma once
// FFmpeg for the recorder's own sources only: the public headers of the recorder stay free of
// it.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <QString>

#include <array>
#include <memory>

namespace AvSupport {

struct FrameFree {
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
struct CodecFree {
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct InputClose {
    void operator()(AVFormatContext *f) const { avformat_close_input(&f); }
};
// An output context with its file: the file is closed, then the context freed.
struct OutputFree {
    void operator()(AVFormatContext *f) const {
        if (f->pb)
            avio_closep(&f->pb);
        avformat_free_context(f);
    }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFree>;
using InputPtr = std::unique_ptr<AVFormatContext, InputClose>;
using OutputPtr = std::unique_ptr<AVFormatContext, OutputFree>;

// The compressors the console knows, in the order of its preference list. The recorder offers
// those the linked libavcodec can encode; the player decodes these and uncompressed frames only.
struct KnownCodec {
    const char *fourCC;
    AVCodecID id;
    uint32_t tag; // as written into the stream header and the frame format
};
inline constexpr std::array<KnownCodec, 5> KnownCodecs = {{
    {"MP43", AV_CODEC_ID_MSMPEG4V3, MKTAG('M', 'P', '4', '3')},
    {"MP42", AV_CODEC_ID_MSMPEG4V2, MKTAG('M', 'P', '4', '2')},
    {"MPG4", AV_CODEC_ID_MSMPEG4V1, MKTAG('M', 'P', 'G', '4')},
    {"CVID", AV_CODEC_ID_CINEPAK, MKTAG('c', 'v', 'i', 'd')},
    {"MSVC", AV_CODEC_ID_MSVIDEO1, MKTAG('M', 'S', 'V', 'C')},
}};

// An FFmpeg error code as 8 hexadecimal digits, as the writer's messages show codes.
inline QString ErrorCode(int code) {
    return QStringLiteral("%1").arg(quint32(code), 8, 16, QLatin1Char('0')).toUpper();
}

inline QByteArray LocalPath(const QString &path) {
    return path.toLocal8Bit();
}

// The muxer option the writer and the salvage both give: raw frames are stored bottom-up with
// a positive height in the header, as a Windows bitmap is, which every AVI player reads.
inline constexpr const char *FlippedRawOption = "flipped_raw_rgb";

} // namespace AvSupport
