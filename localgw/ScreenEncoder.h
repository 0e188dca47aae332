#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <optional>

namespace localgw {

// Turns the host's desktop into the pictures it leaves on the gateway, in the colour depth the
// console asked for, and remembers the last picture sent: after applying everything it
// fetched, the console shows exactly `shown()`.
class ScreenEncoder {
public:
    enum class UpdateFormat {
        Auto,        // rectangle list when little changed, whole screen otherwise
        WholeScreen, // always a whole-screen BMP ("UScr")
        RectList,    // always a rectangle list ("UScr?md1")
    };

    struct Picture {
        bool full = false; // true: the full-picture slot ("05"), else the update slot ("07")
        QByteArray notice; // "GScr", "UScr" or "UScr?md1"
        QByteArray body;   // the zlib stream the gateway serves
        int rectCount = 0; // records of a rectangle list
    };

    // 4, 8 or 15; anything else is ignored.
    void setDepth(int depth);
    int depth() const { return m_depth; }
    void setUpdateFormat(UpdateFormat format) { m_format = format; }
    UpdateFormat updateFormat() const { return m_format; }

    Picture full(const QImage &desktop);
    // The next update, or nothing when the picture the console has is still right. A desktop
    // of another size or depth than the last picture gives a full picture instead.
    std::optional<Picture> update(const QImage &desktop);
    void forget() { m_shown = QImage(); }

    const QImage &shown() const { return m_shown; }

    // Tiles of `tile` pixels that differ between two images of one size, merged into runs
    // along each row and then into columns of equal runs.
    static QList<QRect> changedRects(const QImage &before, const QImage &after, int tile = 32);

private:
    int m_depth = 15;
    int m_shownDepth = 0;
    UpdateFormat m_format = UpdateFormat::Auto;
    QImage m_shown;
};

} // namespace localgw
