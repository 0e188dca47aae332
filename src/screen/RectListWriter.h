#pragma once
#include <QByteArray>
#include <QtGlobal>

// The rectangle list body of a screen update: records back to back, each X, Y and the length N
// of the image that follows (signed 32-bit little-endian), then N bytes of a BMP file. There is
// no count and no terminator.
class RectListWriter {
public:
    void append(qint32 x, qint32 y, const QByteArray &bmpFile);
    // A record whose length field says `declaredLength` whatever `payload` holds: for peers that
    // must be shown inconsistent records.
    void appendRaw(qint32 x, qint32 y, qint32 declaredLength, const QByteArray &payload);

    const QByteArray &data() const { return m_data; }
    int count() const { return m_count; }

private:
    QByteArray m_data;
    int m_count = 0;
};
