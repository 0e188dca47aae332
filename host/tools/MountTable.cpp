#include "MountTable.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <optional>

namespace qhost::MountTable {

namespace {

// The kernel writes blanks, tabs, newlines and backslashes in paths as "\" and three octal
// digits.
std::optional<QByteArray> unescape(const QByteArray &field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i + 3 >= field.size())
            return std::nullopt;
        int value = 0;
        for (int k = 1; k <= 3; ++k) {
            const char d = field[i + k];
            if (d < '0' || d > '7')
                return std::nullopt;
            value = value * 8 + (d - '0');
        }
        if (value == 0 || value > 255)
            return std::nullopt;
        out += char(value);
        i += 3;
    }
    return out;
}

bool isUserVolume(const QString &point) {
    for (const char *base : {"/media/", "/run/media/", "/mnt/"})
        if (point.startsWith(QLatin1String(base)) && point.size() > qsizetype(strlen(base)))
            return true;
    return point == QLatin1String("/mnt");
}

} // namespace

QStringList userVolumes(const QByteArray &mountinfo) {
    QStringList points;
    const QByteArray table = mountinfo.left(kMaxBytes);
    for (const QByteArray &line : table.split('\n')) {
        if (line.isEmpty() || line.size() > kMaxLineBytes)
            continue;
        const QList<QByteArray> fields = line.split(' ');
        // id, parent, major:minor, root, mount point, options, optional fields..., "-", ...
        if (fields.size() < 7 || !fields.mid(6).contains("-"))
            continue;
        const auto point = unescape(fields[4]);
        if (!point || !point->startsWith('/') || point->contains("/../") || point->endsWith("/.."))
            continue;
        const QString path = QFile::decodeName(*point);
        if (isUserVolume(path) && !points.contains(path))
            points.append(path);
    }
    std::sort(points.begin(), points.end());
    // A parent folder mounted over its volumes (/media/user as a tmpfs) is no volume itself.
    QStringList volumes;
    for (const QString &p : std::as_const(points)) {
        const bool parent = std::any_of(points.cbegin(), points.cend(), [&](const QString &o) {
            return o.startsWith(p + QLatin1Char('/'));
        });
        if (!parent && volumes.size() < kMaxVolumes)
            volumes.append(p);
    }
    return volumes;
}

QStringList userVolumes() {
    QFile f(QStringLiteral("/proc/self/mountinfo"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return userVolumes(f.read(kMaxBytes));
}

} // namespace qhost::MountTable
