#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// The container of a rectangle list: the inflated body, read record by record. A record is
// X, Y and a length N (signed 32-bit little-endian each) followed by N bytes of a BMP file;
// there is no count and no terminator, the list ends where the data ends.
class TMultiStream {
public:
    // The inner stream's bytes; the worker inflates a body straight into it.
    QByteArray &Data() { return m_data; }
    qint64 Size() const { return m_data.size(); }
    qint64 Position() const { return m_position; }

    // Sets the position; an offset outside the data is ignored.
    void SeekTo(qint64 offset);

    // The next record: its corner and a view of its image inside the container (valid while the
    // container lives and is not changed). False at the end of the data, and for a record whose
    // length is not positive or runs past the data: the list cannot be followed beyond it.
    bool ReadNext(qint32 &x, qint32 &y, QByteArrayView &image);

private:
    QByteArray m_data;
    qint64 m_position = 0;
};
