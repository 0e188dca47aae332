#pragma once
#include <QByteArrayView>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <memory>

class QIODevice;

// Files through zlib (RFC 1950) in blocks, for both ends of a file transfer: nothing here holds
// a whole file in memory, and every size is 64 bits, so a file of any size moves in a few
// hundred kilobytes.
namespace FileStreams {

inline constexpr qint64 kBlockBytes = 256 * 1024;

enum class Result { Ok, ReadError, WriteError, Cancelled };

// Compresses `in`, from its position to its end, into `out` as one zlib stream at zlib's
// default level. `cancel`, when given, is looked at between blocks (the caller may set it from
// another thread); `onBlock` is told the input bytes read so far after each block.
Result Deflate(QIODevice &in, QIODevice &out, const std::atomic<bool> *cancel = nullptr,
               const std::function<void(qint64 consumed)> &onBlock = {});

// Writes a file block by block; a block of zeros becomes a hole (the file is sparse there), so
// a mostly empty file costs no disk it does not need. finish() sets the final size.
class SparseWriter {
public:
    explicit SparseWriter(QIODevice &out) : m_out(out) {}
    bool write(QByteArrayView data);
    bool finish();
    qint64 size() const { return m_size; }

private:
    QIODevice &m_out;
    qint64 m_size = 0;     // logical size written so far
    qint64 m_position = 0; // where the device stands
};

// Expands a zlib stream fed in pieces into a file. The stream must end exactly with the last
// piece: a damaged stream, bytes after its end, or more output than `maxOut` fail it.
class Inflater {
public:
    enum class State { Running, Done, Corrupt, TooLarge, WriteError };

    Inflater(QIODevice &out, qint64 maxOut);
    ~Inflater();
    Inflater(const Inflater &) = delete;
    Inflater &operator=(const Inflater &) = delete;

    // The next piece of the stream; false once the stream failed.
    bool feed(QByteArrayView piece);
    // After the last piece: true when the stream ended and all of it is written.
    bool finish();
    State state() const { return m_state; }
    qint64 produced() const { return m_writer.size(); }

private:
    struct Stream;
    std::unique_ptr<Stream> m_stream;
    SparseWriter m_writer;
    qint64 m_maxOut;
    State m_state = State::Running;
};

// The same expansion from one device into another, for the host side of the local gateway;
// `onBlock` is told the input bytes read so far after each block.
Result Inflate(QIODevice &in, QIODevice &out, qint64 maxOut, Inflater::State *state = nullptr,
               const std::function<void(qint64 consumed)> &onBlock = {});

} // namespace FileStreams
