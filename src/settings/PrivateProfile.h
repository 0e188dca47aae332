#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// An INI file read and written the way the Windows private-profile functions do it, so that a
// file behaves the same whichever console wrote it:
// - section and key names compare case-insensitively; the first matching section, and in it
//   the first matching key, wins;
// - the value is the rest of the line after the first "=", with blanks trimmed at both ends
//   (so "a = b ; c" reads "b ; c": ";" starts a comment only at the start of a line);
// - lines without "=", comments and keys before the first section are ignored on reading and
//   kept on writing, as are sections and keys this program does not know.
// The text is UTF-8; a file that is not valid UTF-8 is taken as Windows-1252, which is what a
// settings file carried over from a Windows console holds.
class PrivateProfile {
public:
    // A larger file is treated as empty; a longer line is ignored (and kept as it was).
    static constexpr qsizetype MaxFileSize = 1024 * 1024;
    static constexpr qsizetype MaxLineLength = 16 * 1024;

    // Replaces the contents. Never fails: what cannot be read is ignored.
    void parse(const QByteArray &bytes);

    enum class FileState {
        Read,      // the whole file was read
        Absent,    // no file there (nothing, or a folder): there is nothing to lose
        Unreadable // a file that could not be read whole (no permission, oversized, not a
                   // regular file): writing over it would destroy what it holds
    };
    // Reads a file; anything but a whole read gives an empty profile.
    FileState loadFile(const QString &path);
    bool load(const QString &path) { return loadFile(path) == FileState::Read; }

    QByteArray serialize() const;
    // Writes the whole file atomically: on any failure the previous file stays as it was.
    bool save(const QString &path) const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key,
                       const QString &fallback = {}) const;
    // A decimal integer (or "0x"/"$" hexadecimal, as the old reader accepted) that fits 32
    // bits; anything else gives the fallback.
    int readInt(const QString &section, const QString &key, int fallback) const;
    bool readBool(const QString &section, const QString &key, bool fallback) const;

    // Updates the first matching key in place, or appends the key after the last key of the
    // first matching section, or appends a new section at the end. Line breaks in the value
    // become blanks: they would otherwise inject lines into the file.
    void setValue(const QString &section, const QString &key, const QString &value);
    void setInt(const QString &section, const QString &key, int value);
    void setBool(const QString &section, const QString &key, bool value);

    bool isEmpty() const { return m_preamble.isEmpty() && m_sections.isEmpty(); }

private:
    struct Line {
        QString raw;
        QString key; // empty for a line that is not an entry
        QString value;
    };
    struct Section {
        QString name;
        QString header;
        QList<Line> lines;
    };

    const Section *findSection(const QString &name) const;
    Section *findSection(const QString &name);

    QList<QString> m_preamble;
    QList<Section> m_sections;
};
