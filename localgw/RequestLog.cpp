#include "RequestLog.h"
#include "gateway/Url_Utils.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace localgw {

namespace {
QString latin1(const QByteArray &bytes) {
    return QString::fromLatin1(bytes);
}
} // namespace

QByteArray LoggedRequest::value(const QByteArray &name) const {
    for (const auto &field : query)
        if (field.first == name)
            return field.second;
    return {};
}

QJsonObject LoggedRequest::toJson() const {
    QJsonArray fields;
    for (const auto &field : query)
        fields.append(QJsonArray{latin1(field.first), latin1(field.second)});
    return QJsonObject{
        {"seq", seq},
        {"ms", ms},
        {"gateway", gateway},
        {"method", latin1(method)},
        {"path", latin1(path)},
        {"code", latin1(code)},
        {"rawQuery", latin1(rawQuery)},
        {"query", fields},
        {"bodySize", qint64(bodySize)},
    };
}

bool RequestLog::setFile(const QString &path) {
    m_file.close();
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

const LoggedRequest &RequestLog::add(LoggedRequest entry) {
    entry.seq = ++m_seq;
    entry.ms = m_clock.elapsed();
    m_entries.append(std::move(entry));
    if (m_file.isOpen()) {
        m_file.write(QJsonDocument(m_entries.last().toJson()).toJson(QJsonDocument::Compact));
        m_file.write("\n");
        m_file.flush();
    }
    return m_entries.last();
}

QList<LoggedRequest> RequestLog::withCode(const QByteArray &code) const {
    QList<LoggedRequest> out;
    for (const auto &e : m_entries)
        if (e.code == code)
            out.append(e);
    return out;
}

QList<QPair<QByteArray, QByteArray>> RequestLog::splitQuery(const QByteArray &rawQuery) {
    QList<QPair<QByteArray, QByteArray>> out;
    if (rawQuery.isEmpty())
        return out;
    for (const QByteArray &piece : rawQuery.split('&')) {
        const qsizetype eq = piece.indexOf('=');
        const QByteArray name = eq < 0 ? piece : piece.left(eq);
        // A piece holds one field, so the shared decoder reads exactly its value.
        QByteArray value;
        if (eq >= 0)
            GetUrlParam(piece, name, value);
        out.append({name, value});
    }
    return out;
}

} // namespace localgw
