#include "recorder/AviPlayerLayout.h"

#include <algorithm>

QString AviTimeText(qint64 milliseconds) {
    const qint64 t = std::max<qint64>(0, milliseconds);
    const auto two = [](qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return two(t / 3600000) + QLatin1Char(':') + two(t / 60000 % 60) + QLatin1Char(':') +
           two(t / 1000 % 60);
}

std::optional<QRect> FitMoviePanel(QSize movie, const QRect &area) {
    const int w = movie.width();
    const int h = movie.height();
    if (w <= 0 || h <= 0)
        return std::nullopt;
    QSize panel(w, h);
    if (!(w < area.width() && h < area.height())) {
        const float rx = float(area.width()) / float(w);
        const float ry = float(area.height()) / float(h);
        if (rx <= 0 || ry <= 0)
            return std::nullopt;
        const float s = std::min(rx, ry);
        panel = QSize(int(float(w) * s), int(float(h) * s));
    }
    return QRect(area.left() + (area.width() - panel.width()) / 2,
                 area.top() + (area.height() - panel.height()) / 2, panel.width(), panel.height());
}
