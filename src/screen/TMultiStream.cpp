#include "screen/TMultiStream.h"

#include <QtEndian>

void TMultiStream::SeekTo(qint64 offset) {
    if (offset >= 0 && offset <= m_data.size())
        m_position = offset;
}

bool TMultiStream::ReadNext(qint32 &x, qint32 &y, QByteArrayView &image) {
    const qint64 left = m_data.size() - m_position;
    if (left <= 0 || left < 12)
        return false;
    const char *p = m_data.constData() + m_position;
    const qint32 length = qFromLittleEndian<qint32>(p + 8);
    if (length <= 0 || length > left - 12)
        return false;
    x = qFromLittleEndian<qint32>(p);
    y = qFromLittleEndian<qint32>(p + 4);
    image = QByteArrayView(p + 12, length);
    m_position += 12 + qint64(length);
    return true;
}
