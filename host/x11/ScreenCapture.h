#pragma once
#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>

#include <xcb/xcb.h>

namespace qhost::x11 {

// The root window's pixels and what changed in them. The server accumulates the changes in a
// damage object that says "non-empty" once; grab() takes the region out of it and reads only
// that part, through a shared memory segment (MIT-SHM) where the server can reach ours, else
// through plain GetImage (a display over the network).
class ScreenCapture {
public:
    ScreenCapture(xcb_connection_t *connection, const xcb_screen_t *screen);
    ~ScreenCapture();
    ScreenCapture(const ScreenCapture &) = delete;
    ScreenCapture &operator=(const ScreenCapture &) = delete;

    // Checks the pixel format and starts the damage tracking; false with a reason.
    bool open(QString *error);
    void close();

    QSize size() const { return screenSize; }
    // The screen changed its size: the next grab is whole.
    void setSize(QSize size);
    QRegion grab(QImage &frame);

    // The server's answer to "did anything change": true for our damage object's notice.
    bool isDamageNotify(const xcb_generic_event_t *event) const;
    bool usesSharedMemory() const { return shmSegment != 0; }
    void allowSharedMemory(bool allowed) { shmAllowed = allowed; }

private:
    bool attachSharedMemory(size_t bytes);
    void detachSharedMemory();
    bool readRect(const QRect &rect, QImage &frame);
    bool readRectShared(const QRect &rect, QImage &frame);
    bool readRectPlain(const QRect &rect, QImage &frame);
    QRegion takeDamage();

    xcb_connection_t *c;
    const xcb_screen_t *screen;
    QSize screenSize;
    bool wholeNext = true;
    bool swapBytes = false;

    uint8_t damageEventBase = 0;
    uint32_t damage = 0;
    uint32_t damageRegion = 0;

    bool shmAllowed = true;
    bool shmAvailable = false;
    uint32_t shmSegment = 0;
    void *shmAddress = nullptr;
    size_t shmBytes = 0;
};

} // namespace qhost::x11
