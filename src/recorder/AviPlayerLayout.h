#pragma once
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

// The player window's arithmetic, without the window.

// Milliseconds as "hh:mm:ss": hours, minutes and seconds each with at least two digits.
QString AviTimeText(qint64 milliseconds);

// Where a movie of natural size `movie` plays inside `area` (the picture below the button bar):
// at its natural size when it fits both ways, otherwise scaled down proportionally (single
// precision, truncated); centred either way. Nothing for a movie without a size.
std::optional<QRect> FitMoviePanel(QSize movie, const QRect &area);
