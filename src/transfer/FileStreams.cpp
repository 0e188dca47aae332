#include "transfer/FileStreams.h"

#include <QFileDevice>
#include <QIODevice>

#include <zlib.h>

#include <cstring>
#include <vector>

namespace FileStreams {
namespace {

bool writeAll(QIODevice &out, const char *data, qint64 size) {
    while (size > 0) {
        const qint64 n = out.write(data, size);
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

bool allZero(QByteArrayView data) {
    return !data.isEmpty() && data.front() == 0 &&
           std::memcmp(data.data(), data.data() + 1, size_t(data.size() - 1)) == 0;
}

// Below this a run of zeros is simply written: a hole smaller than a disk block saves nothing.
constexpr qsizetype kMinHole = 4096;

} // namespace

Result Deflate(QIODevice &in, QIODevice &out, const std::atomic<bool> *cancel,
               const std::function<void(qint64 consumed)> &onBlock) {
    z_stream zs{};
    if (deflateInit(&zs, Z_DEFAULT_COMPRESSION) != Z_OK)
        return Result::WriteError;
    std::vector<char> input(static_cast<size_t>(kBlockBytes));
    std::vector<char> output(static_cast<size_t>(kBlockBytes));
    Result result = Result::Ok;
    bool finished = false;
    qint64 consumed = 0;
    while (!finished) {
        if (cancel && cancel->load()) {
            result = Result::Cancelled;
            break;
        }
        const qint64 n = in.read(input.data(), kBlockBytes);
        if (n < 0) {
            result = Result::ReadError;
            break;
        }
        consumed += n;
        const bool last = n == 0 || in.atEnd();
        zs.next_in = reinterpret_cast<Bytef *>(input.data());
        zs.avail_in = uInt(n);
        int rc = Z_OK;
        do {
            zs.next_out = reinterpret_cast<Bytef *>(output.data());
            zs.avail_out = uInt(output.size());
            rc = deflate(&zs, last ? Z_FINISH : Z_NO_FLUSH);
            if (rc == Z_STREAM_ERROR) {
                result = Result::WriteError;
                break;
            }
            const qint64 produced = qint64(output.size()) - zs.avail_out;
            if (!writeAll(out, output.data(), produced)) {
                result = Result::WriteError;
                break;
            }
        } while (zs.avail_out == 0 || (last && rc != Z_STREAM_END));
        if (result != Result::Ok)
            break;
        if (onBlock)
            onBlock(consumed);
        finished = last;
    }
    deflateEnd(&zs);
    return result;
}

bool SparseWriter::write(QByteArrayView data) {
    if (data.size() >= kMinHole && allZero(data)) {
        m_size += data.size();
        return true;
    }
    if (data.isEmpty())
        return true;
    if (m_position != m_size) {
        // Writing past the end leaves a hole behind.
        if (!m_out.seek(m_size))
            return false;
        m_position = m_size;
    }
    if (!writeAll(m_out, data.data(), data.size()))
        return false;
    m_size += data.size();
    m_position = m_size;
    return true;
}

bool SparseWriter::finish() {
    if (m_position == m_size)
        return true;
    if (auto *file = qobject_cast<QFileDevice *>(&m_out))
        return file->resize(m_size);
    // A device that cannot be resized gets its trailing zeros written out.
    const QByteArray zeros(qsizetype(qMin<qint64>(kBlockBytes, m_size - m_position)), '\0');
    if (!m_out.seek(m_position))
        return false;
    while (m_position < m_size) {
        const qint64 n = qMin<qint64>(zeros.size(), m_size - m_position);
        if (!writeAll(m_out, zeros.constData(), n))
            return false;
        m_position += n;
    }
    return true;
}

struct Inflater::Stream {
    z_stream zs{};
    std::vector<char> output = std::vector<char>(size_t(kBlockBytes));
};

Inflater::Inflater(QIODevice &out, qint64 maxOut)
    : m_stream(std::make_unique<Stream>()), m_writer(out), m_maxOut(maxOut) {
    if (inflateInit(&m_stream->zs) != Z_OK)
        m_state = State::Corrupt;
}

Inflater::~Inflater() {
    inflateEnd(&m_stream->zs);
}

bool Inflater::feed(QByteArrayView piece) {
    if (piece.isEmpty())
        return m_state == State::Running || m_state == State::Done;
    if (m_state == State::Done)
        m_state = State::Corrupt; // bytes after the end of the stream
    if (m_state != State::Running)
        return false;
    z_stream &zs = m_stream->zs;
    // zlib counts in uInt; pieces beyond that come in slices.
    const char *next = piece.data();
    qint64 left = piece.size();
    while (left > 0 && m_state == State::Running) {
        const uInt slice = uInt(qMin<qint64>(left, qint64(1) << 30));
        zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(next));
        zs.avail_in = slice;
        int rc = Z_OK;
        do {
            zs.next_out = reinterpret_cast<Bytef *>(m_stream->output.data());
            zs.avail_out = uInt(m_stream->output.size());
            rc = inflate(&zs, Z_NO_FLUSH);
            if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR || rc == Z_MEM_ERROR ||
                rc == Z_STREAM_ERROR) {
                m_state = State::Corrupt;
                return false;
            }
            const qint64 produced = qint64(m_stream->output.size()) - zs.avail_out;
            if (produced > m_maxOut - m_writer.size()) {
                m_state = State::TooLarge;
                return false;
            }
            if (!m_writer.write(QByteArrayView(m_stream->output.data(), produced))) {
                m_state = State::WriteError;
                return false;
            }
            if (rc == Z_STREAM_END) {
                m_state = zs.avail_in == 0 && left == slice ? State::Done : State::Corrupt;
                return m_state == State::Done;
            }
        } while (zs.avail_in > 0 || zs.avail_out == 0);
        next += slice;
        left -= slice;
    }
    return m_state == State::Running || m_state == State::Done;
}

bool Inflater::finish() {
    if (m_state != State::Done)
        return false;
    if (!m_writer.finish()) {
        m_state = State::WriteError;
        return false;
    }
    return true;
}

Result Inflate(QIODevice &in, QIODevice &out, qint64 maxOut, Inflater::State *state,
               const std::function<void(qint64 consumed)> &onBlock) {
    Inflater inflater(out, maxOut);
    std::vector<char> buffer(static_cast<size_t>(kBlockBytes));
    Result result = Result::Ok;
    qint64 consumed = 0;
    for (;;) {
        const qint64 n = in.read(buffer.data(), kBlockBytes);
        if (n < 0) {
            result = Result::ReadError;
            break;
        }
        if (n == 0)
            break;
        if (!inflater.feed(QByteArrayView(buffer.data(), n)))
            break;
        consumed += n;
        if (onBlock)
            onBlock(consumed);
    }
    const bool complete = result == Result::Ok && inflater.finish();
    if (state)
        *state = inflater.state();
    if (result != Result::Ok)
        return result;
    return complete ? Result::Ok : Result::WriteError;
}

} // namespace FileStreams
