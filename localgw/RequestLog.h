#pragma once
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>

namespace localgw {

// One request as the console sent it.
struct LoggedRequest {
    qint64 seq = 0;  // 1, 2, ... in arrival order
    qint64 ms = 0;   // milliseconds since the gateway started
    int gateway = 0; // 1.. for "/gwNNN/..." paths, 0 otherwise
    QByteArray method;
    QByteArray path;     // as sent, without the query
    QByteArray code;     // "16", "03", ...; "Files" for downloads; empty when unknown
    QByteArray rawQuery; // as sent
    QList<QPair<QByteArray, QByteArray>> query; // split at "&" and "=", values decoded
    qsizetype bodySize = 0;

    // The decoded value of the first field `name`, or a null QByteArray.
    QByteArray value(const QByteArray &name) const;
    // Byte strings appear as Latin-1 code points, so every byte survives the round trip.
    QJsonObject toJson() const;
};

// The gateway's request log: kept in memory and, when a file is set, one JSON object per line.
class RequestLog {
public:
    RequestLog() { m_clock.start(); }

    bool setFile(const QString &path);
    QString filePath() const { return m_file.fileName(); }

    // Stamps, keeps and writes one entry; returns it as stored.
    const LoggedRequest &add(LoggedRequest entry);
    QList<LoggedRequest> entries() const { return m_entries; }
    // Only the entries with this request code, in order.
    QList<LoggedRequest> withCode(const QByteArray &code) const;
    // Forgets the kept entries (the file keeps its lines).
    void clear() { m_entries.clear(); }

    // "a=1&b=%41" -> {("a","1"), ("b","A")}, decoded as the gateway helpers decode.
    static QList<QPair<QByteArray, QByteArray>> splitQuery(const QByteArray &rawQuery);

private:
    QElapsedTimer m_clock;
    QList<LoggedRequest> m_entries;
    QFile m_file;
    qint64 m_seq = 0;
};

} // namespace localgw
