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
