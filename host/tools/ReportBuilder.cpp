#include "ReportBuilder.h"

#include "common/Cp1252.h"
#include "tools/HostInfoReport.h"

namespace qhost {

namespace {
constexpr qsizetype kMaxField = 1024;
constexpr int kMaxFields = 16;
// Kept free for the column lines of the categories still to come.
constexpr qsizetype kReservedLines = 64;
constexpr qsizetype kReservedChars = 64 * 1024;
} // namespace

QString ReportBuilder::clean(const QString &field) {
    QString out;
    out.reserve(qMin(field.size(), kMaxField));
    for (const QChar c : field) {
        if (out.size() >= kMaxField)
            break;
        if (c == QLatin1Char('|') || c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QLatin1Char(' ');
        else
            out += c;
    }
    return out.trimmed();
}

void ReportBuilder::add(const QString &line) {
    m_lines.append(toCp1252(line));
    m_chars += line.size();
}

void ReportBuilder::head(const char *tag, const QStringList &columns) {
    add(QLatin1String(tag) + QLatin1String("[HEAD]") + columns.join(QLatin1Char('|')));
}

bool ReportBuilder::row(const char *tag, const QStringList &fields) {
    if (m_lines.size() >= HostInfoReport::kMaxReportLines - kReservedLines)
        return false;
    QStringList cleaned;
    for (const QString &f : fields.mid(0, kMaxFields))
        cleaned.append(clean(f));
    // A row that reads like a column line would wipe its category on the console (a process
    // may name itself so).
    if (!cleaned.isEmpty() && cleaned[0].startsWith(QLatin1String("[HEAD]")))
        cleaned[0].prepend(QLatin1Char(' '));
    const QString line = QLatin1String(tag) + cleaned.join(QLatin1Char('|'));
    if (m_chars + line.size() > HostInfoReport::kMaxReportChars - kReservedChars)
        return false;
    add(line);
    return true;
}

} // namespace qhost
