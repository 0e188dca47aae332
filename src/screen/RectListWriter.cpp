#include "screen/RectListWriter.h"

#include <QtEndian>

namespace {
void putSigned32(QByteArray &out, qint32 v) {
    const qint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}
} // namespace

void RectListWriter::append(qint32 x, qint32 y, const QByteArray &bmpFile) {
    appendRaw(x, y, qint32(bmpFile.size()), bmpFile);
}

void RectListWriter::appendRaw(qint32 x, qint32 y, qint32 declaredLength,
                               const QByteArray &payload) {
    putSigned32(m_data, x);
    putSigned32(m_data, y);
    putSigned32(m_data, declaredLength);
    m_data.append(payload);
    ++m_count;
}
