#include "settings/PrivateProfile.h"
#include "common/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool isBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\v' || u == '\f';
}

// Only the blanks the Windows functions trim; QString::trimmed would also eat Unicode spaces.
QString trimBlanks(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin).toString();
}

bool isBlankLine(const QString &s) {
    for (const QChar c : s) {
        if (!isBlank(c))
            return false;
    }
    return true;
}

QString decodeText(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return fromCp1252(bytes);
    return text;
}

QString singleLine(QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

void PrivateProfile::parse(const QByteArray &bytes) {
    m_preamble.clear();
    m_sections.clear();
    if (bytes.size() > MaxFileSize)
        return;

    const QString text = decodeText(bytes);
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype eol = text.indexOf(QLatin1Char('\n'), pos);
        if (eol < 0)
            eol = text.size();
        QString raw = text.mid(pos, eol - pos);
        pos = eol + 1;
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);

        Line line{raw, {}, {}};
        if (raw.size() <= MaxLineLength) {
            const QString body = trimBlanks(raw);
            if (body.startsWith(QLatin1Char('['))) {
                const qsizetype close = body.indexOf(QLatin1Char(']'));
                if (close > 0) {
                    m_sections.append(
                        Section{trimBlanks(QStringView(body).sliced(1, close - 1)), raw, {}});
                    continue;
                }
            } else if (!body.startsWith(QLatin1Char(';'))) {
                const qsizetype eq = body.indexOf(QLatin1Char('='));
                if (eq > 0) {
                    line.key = trimBlanks(QStringView(body).first(eq));
                    line.value = trimBlanks(QStringView(body).sliced(eq + 1));
                }
            }
        }
        if (m_sections.isEmpty()) {
            m_preamble.append(raw); // entries before any section are never looked up
        } else {
            m_sections.last().lines.append(line);
        }
    }
}

PrivateProfile::FileState PrivateProfile::loadFile(const QString &path) {
    parse({});
    if (path.isEmpty())
        return FileState::Absent;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return FileState::Absent;
    // Opening a FIFO or a device could block or have effects; such a path is left alone.
    if (!info.isFile())
        return FileState::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QFileInfo::exists(path) ? FileState::Unreadable : FileState::Absent;
    // Read one byte more than allowed, so that files whose size the system does not report
    // are bounded too.
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize || file.error() != QFileDevice::NoError)
        return FileState::Unreadable;
    parse(bytes);
    return FileState::Read;
}

QByteArray PrivateProfile::serialize() const {
    QString text;
    for (const QString &raw : m_preamble)
        text += raw + QLatin1Char('\n');
    for (const Section &section : m_sections) {
        text += section.header + QLatin1Char('\n');
        for (const Line &line : section.lines)
            text += line.raw + QLatin1Char('\n');
    }
    return text.toUtf8();
}

bool PrivateProfile::save(const QString &path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = serialize();
    // commit() does not notice a failure of the final flush of its buffer (a full disk shows
    // up there), so the flush is checked here.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

const PrivateProfile::Section *PrivateProfile::findSection(const QString &name) const {
    for (const Section &section : m_sections) {
        if (section.name.compare(name, Qt::CaseInsensitive) == 0)
            return &section;
    }
    return nullptr;
}

PrivateProfile::Section *PrivateProfile::findSection(const QString &name) {
    return const_cast<Section *>(std::as_const(*this).findSection(name));
}

std::optional<QString> PrivateProfile::value(const QString &section, const QString &key) const {
    const Section *s = findSection(section);
    if (!s)
        return std::nullopt;
    for (const Line &line : s->lines) {
        if (!line.key.isEmpty() && line.key.compare(key, Qt::CaseInsensitive) == 0)
            return line.value;
    }
    return std::nullopt;
}

QString PrivateProfile::readString(const QString &section, const QString &key,
                                   const QString &fallback) const {
    return value(section, key).value_or(fallback);
}

int PrivateProfile::readInt(const QString &section, const QString &key, int fallback) const {
    const std::optional<QString> text = value(section, key);
    if (!text || text->isEmpty())
        return fallback;
    bool ok = false;
    int result = 0;
    QStringView digits(*text);
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) && digits.size() > 2) {
        result = int(digits.sliced(2).toUInt(&ok, 16));
    } else if (digits.startsWith(QLatin1Char('$')) && digits.size() > 1) {
        result = int(digits.sliced(1).toUInt(&ok, 16));
    } else {
        result = digits.toInt(&ok, 10);
    }
    return ok ? result : fallback;
}

bool PrivateProfile::readBool(const QString &section, const QString &key, bool fallback) const {
    return readInt(section, key, fallback ? 1 : 0) != 0;
}

void PrivateProfile::setValue(const QString &section, const QString &key, const QString &value) {
    const QString clean = singleLine(value);
    const Line entry{key + QLatin1Char('=') + clean, key, clean};

    Section *s = findSection(section);
    if (!s) {
        // Keep a blank line between the last section and the new one, as the old files had.
        if (!m_sections.isEmpty()) {
            QList<Line> &lines = m_sections.last().lines;
            if (lines.isEmpty() || !isBlankLine(lines.last().raw))
                lines.append(Line{});
        } else if (!m_preamble.isEmpty() && !isBlankLine(m_preamble.last())) {
            m_preamble.append(QString());
        }
        m_sections.append(Section{section, QLatin1Char('[') + section + QLatin1Char(']'), {}});
        m_sections.last().lines.append(entry);
        return;
    }

    qsizetype insertAt = 0;
    for (qsizetype i = 0; i < s->lines.size(); ++i) {
        Line &line = s->lines[i];
        if (!line.key.isEmpty() && line.key.compare(key, Qt::CaseInsensitive) == 0) {
            // The stored spelling of the key stays, as the Windows functions keep it.
            line.raw = line.key + QLatin1Char('=') + clean;
            line.value = clean;
            return;
        }
        if (!isBlankLine(line.raw))
            insertAt = i + 1;
    }
    s->lines.insert(insertAt, entry);
}

void PrivateProfile::setInt(const QString &section, const QString &key, int value) {
    setValue(section, key, QString::number(value));
}

void PrivateProfile::setBool(const QString &section, const QString &key, bool value) {
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
