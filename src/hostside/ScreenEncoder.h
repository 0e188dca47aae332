#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRegion>
#include <memory>
#include <optional>
#include <vector>

namespace hostside {

// Turns the host's desktop into the pictures it leaves on the gateway, in the colour depth the
// console asked for, and remembers the last picture sent: after applying everything it
// fetched, the console shows exactly `shown()`.
//
// What the console shows is kept in the wire format (palette indices for depths 4 and 8,
// 5-5-5 values for 15), so an update looks only at the parts of the desktop that were drawn
// again, reduces their colours through a table, compares them tile by tile with what was sent
// and copies the changed tiles' rows straight into the pictures, compressed at the fastest
// setting.
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

    ScreenEncoder();
    ~ScreenEncoder();
    ScreenEncoder(const ScreenEncoder &) = delete;
    ScreenEncoder &operator=(const ScreenEncoder &) = delete;

    // 4, 8 or 15; anything else is ignored.
    void setDepth(int depth);
    int depth() const { return m_depth; }
    void setUpdateFormat(UpdateFormat format) { m_format = format; }
    UpdateFormat updateFormat() const { return m_format; }

    Picture full(const QImage &desktop);
    // The next update, or nothing when the picture the console has is still right. Only the
    // parts of `desktop` inside `changed` are looked at: outside it the desktop must be what
    // was last sent. A desktop of another size or depth than the last picture gives a full
    // picture instead.
    std::optional<Picture> update(const QImage &desktop, const QRegion &changed);
    std::optional<Picture> update(const QImage &desktop) { return update(desktop, desktop.rect()); }
    void forget();

    // What the console shows, as Format_RGB32; null before the first picture.
    QImage shown() const;

    // Tiles of `tile` pixels that differ between two images of one size, merged into runs
    // along each row and then into columns of equal runs.
    static QList<QRect> changedRects(const QImage &before, const QImage &after, int tile = 32);

private:
    class Compressor;

    // Brings the wire pixels of `tile` up to date from `desktop`; true when they changed.
    bool refreshTile(const QImage &desktop, const QRect &tile);
    QByteArray encodeWhole() const;

    int m_depth = 15;
    int m_shownDepth = 0; // depth of m_wire; 0: nothing sent
    UpdateFormat m_format = UpdateFormat::Auto;
    QSize m_size;
    qsizetype m_stride = 0;
    std::vector<uchar> m_wire;       // what the console shows, top-down rows
    std::vector<quint8> m_tileState; // per tile during an update: 0 unseen, 1 same, 2 changed
    std::unique_ptr<Compressor> m_compressor;
};

} // namespace hostside
