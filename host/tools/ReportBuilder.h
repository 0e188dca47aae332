#pragma once
#include <QByteArrayList>
#include <QString>
#include <QStringList>

namespace qhost {

// Writes report lines within the console's bounds: fields lose the characters that would
// split them ("|", line ends, control characters) and are cut to a bounded length; rows stop
// where the report would outgrow what the console keeps, while every category's column line
// still has room.
class ReportBuilder {
public:
    // `tag` is "[PROC]" and the like; `columns` "Caption:width" fields.
    void head(const char *tag, const QStringList &columns);
    // false once the report is full (later rows are dropped).
    bool row(const char *tag, const QStringList &fields);
    QByteArrayList lines() const { return m_lines; }

    static QString clean(const QString &field);

private:
    void add(const QString &line);
    QByteArrayList m_lines;
    qsizetype m_chars = 0;
};

} // namespace qhost
