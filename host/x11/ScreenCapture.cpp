#include "x11/ScreenCapture.h"

#include "x11/XcbReply.h"

#include <QtEndian>

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/damage.h>
#include <xcb/shm.h>
#include <xcb/xfixes.h>

namespace qhost::x11 {

namespace {
const xcb_visualtype_t *rootVisual(const xcb_screen_t *screen) {
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
            if (v.data->visual_id == screen->root_visual)
                return v.data;
        }
    }
    return nullptr;
}

int bitsPerPixel(const xcb_setup_t *setup, uint8_t depth) {
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
        if (f.data->depth == depth)
            return f.data->bits_per_pixel;
    }
    return 0;
}
} // namespace

ScreenCapture::ScreenCapture(xcb_connection_t *connection, const xcb_screen_t *screen)
    : c(connection), screen(screen), screenSize(screen->width_in_pixels, screen->height_in_pixels) {
}

ScreenCapture::~ScreenCapture() {
    close();
}

bool ScreenCapture::open(QString *error) {
    // The frame is Format_RGB32: one 32-bit word per pixel, red in bits 16-23. Displays of
    // that layout are copied row by row; anything else (8-bit palettes, 16-bit colour) would
    // need a conversion per pixel that no current desktop asks for.
    const xcb_visualtype_t *visual = rootVisual(screen);
    const int bpp = bitsPerPixel(xcb_get_setup(c), screen->root_depth);
    if (!visual || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR || bpp != 32 ||
        visual->red_mask != 0xff0000 || visual->green_mask != 0xff00 || visual->blue_mask != 0xff) {
        *error = QStringLiteral("The display uses %1-bit colour (%2 bits per pixel); the screen "
                                "can be shared only from a 24- or 32-bit true-colour display.")
                     .arg(screen->root_depth)
                     .arg(bpp);
        return false;
    }
    swapBytes = (xcb_get_setup(c)->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST) !=
                (Q_BYTE_ORDER == Q_BIG_ENDIAN);

    const xcb_query_extension_reply_t *dext = xcb_get_extension_data(c, &xcb_damage_id);
    const xcb_query_extension_reply_t *fext = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (!dext || !dext->present || !fext || !fext->present) {
        *error = QStringLiteral("The X server lacks the DAMAGE or XFIXES extension.");
        return false;
    }
    // Both extensions answer only clients that said which version they speak.
    XcbReply<xcb_xfixes_query_version_reply_t> fv(
        xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 5, 0), nullptr));
    XcbReply<xcb_damage_query_version_reply_t> dv(
        xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    if (!fv || !dv) {
        *error = QStringLiteral("The X server refused the DAMAGE or XFIXES extension.");
        return false;
    }
    damageEventBase = dext->first_event;
    damage = xcb_generate_id(c);
    xcb_damage_create(c, damage, screen->root, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    damageRegion = xcb_generate_id(c);
    xcb_xfixes_create_region(c, damageRegion, 0, nullptr);

    const xcb_query_extension_reply_t *sext = xcb_get_extension_data(c, &xcb_shm_id);
    if (shmAllowed && sext && sext->present) {
        XcbReply<xcb_shm_query_version_reply_t> sv(
            xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr));
        shmAvailable = sv != nullptr;
    }
    wholeNext = true;
    return true;
}

void ScreenCapture::close() {
    detachSharedMemory();
    if (damage) {
        xcb_damage_destroy(c, damage);
        xcb_xfixes_destroy_region(c, damageRegion);
        damage = damageRegion = 0;
        xcb_flush(c);
    }
}

void ScreenCapture::setSize(QSize size) {
    if (size == screenSize)
        return;
    screenSize = size;
    detachSharedMemory();
    wholeNext = true;
}

bool ScreenCapture::isDamageNotify(const xcb_generic_event_t *event) const {
    return damage && (event->response_type & 0x7f) == damageEventBase + XCB_DAMAGE_NOTIFY &&
           reinterpret_cast<const xcb_damage_notify_event_t *>(event)->damage == damage;
}

bool ScreenCapture::attachSharedMemory(size_t bytes) {
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0)
        return false;
    void *address = shmat(id, nullptr, 0);
    if (address == reinterpret_cast<void *>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return false;
    }
    const uint32_t seg = xcb_generate_id(c);
    // A server on another machine (or in another IPC namespace) answers the attach with an
    // error: that display is read with plain GetImage from then on.
    XcbReply<xcb_generic_error_t> failed(
        xcb_request_check(c, xcb_shm_attach_checked(c, seg, id, 0)));
    // Marked for removal at once: the segment goes when both sides let go, even after a crash.
    shmctl(id, IPC_RMID, nullptr);
    if (failed) {
        shmdt(address);
        shmAvailable = false;
        return false;
    }
    shmSegment = seg;
    shmAddress = address;
    shmBytes = bytes;
    return true;
}

void ScreenCapture::detachSharedMemory() {
    if (!shmSegment)
        return;
    xcb_shm_detach(c, shmSegment);
    xcb_flush(c);
    shmdt(shmAddress);
    shmSegment = 0;
    shmAddress = nullptr;
    shmBytes = 0;
}

QRegion ScreenCapture::takeDamage() {
    xcb_damage_subtract(c, damage, XCB_NONE, damageRegion);
    XcbReply<xcb_xfixes_fetch_region_reply_t> r(
        xcb_xfixes_fetch_region_reply(c, xcb_xfixes_fetch_region(c, damageRegion), nullptr));
    QRegion region;
    if (!r)
        return QRect(QPoint(0, 0), screenSize);
    const xcb_rectangle_t *rects = xcb_xfixes_fetch_region_rectangles(r.get());
    const int n = xcb_xfixes_fetch_region_rectangles_length(r.get());
    QList<QRect> list;
    list.reserve(n);
    for (int i = 0; i < n; ++i)
        list.append(QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height));
    region.setRects(list.constData(), int(list.size()));
    return region & QRect(QPoint(0, 0), screenSize);
}

QRegion ScreenCapture::grab(QImage &frame) {
    QRegion changed;
    if (wholeNext || frame.size() != screenSize || frame.format() != QImage::Format_RGB32) {
        // What changes from here on is in the next grab, so the damage goes first.
        xcb_damage_subtract(c, damage, XCB_NONE, XCB_NONE);
        if (frame.size() != screenSize || frame.format() != QImage::Format_RGB32)
            frame = QImage(screenSize, QImage::Format_RGB32);
        changed = QRect(QPoint(0, 0), screenSize);
        wholeNext = false;
    } else {
        changed = takeDamage();
    }
    if (changed.isEmpty())
        return {};
    // Many small pieces cost a round trip each; past a handful their bounding box is read in
    // one, unless it is mostly unchanged pixels.
    const QRect bounds = changed.boundingRect();
    qint64 area = 0;
    for (const QRect &r : changed)
        area += qint64(r.width()) * r.height();
    const bool whole =
        changed.rectCount() > 8 && qint64(bounds.width()) * bounds.height() <= 4 * area;
    if (whole || changed.rectCount() > 64) {
        if (!readRect(bounds, frame))
            wholeNext = true;
    } else {
        for (const QRect &r : changed) {
            if (!readRect(r, frame)) {
                wholeNext = true;
                break;
            }
        }
    }
    return changed;
}

bool ScreenCapture::readRect(const QRect &rect, QImage &frame) {
    if (shmAvailable && !shmSegment)
        attachSharedMemory(size_t(screenSize.width()) * screenSize.height() * 4);
    if (shmSegment && readRectShared(rect, frame))
        return true;
    return readRectPlain(rect, frame);
}

namespace {
// Rows of X pixels into the frame. Format_RGB32 wants 0xff in the top byte, which a 24-bit
// display leaves undefined.
void copyRows(const uchar *src, int srcStride, const QRect &rect, QImage &frame, bool swap) {
    for (int y = 0; y < rect.height(); ++y) {
        auto *dst = reinterpret_cast<quint32 *>(frame.scanLine(rect.y() + y)) + rect.x();
        const uchar *row = src + size_t(y) * srcStride;
        if (!swap) {
            for (int x = 0; x < rect.width(); ++x)
                dst[x] = qFromUnaligned<quint32>(row + 4 * x) | 0xff000000u;
        } else {
            for (int x = 0; x < rect.width(); ++x)
                dst[x] = qbswap(qFromUnaligned<quint32>(row + 4 * x)) | 0xff000000u;
        }
    }
}
} // namespace

bool ScreenCapture::readRectShared(const QRect &rect, QImage &frame) {
    XcbReply<xcb_generic_error_t> error;
    xcb_generic_error_t *e = nullptr;
    XcbReply<xcb_shm_get_image_reply_t> r(xcb_shm_get_image_reply(
        c,
        xcb_shm_get_image(c, screen->root, rect.x(), rect.y(), rect.width(), rect.height(), ~0u,
                          XCB_IMAGE_FORMAT_Z_PIXMAP, shmSegment, 0),
        &e));
    error.reset(e);
    if (!r) {
        // The server could not write into our segment after all: plain GetImage from now on.
        detachSharedMemory();
        shmAvailable = false;
        return false;
    }
    copyRows(static_cast<const uchar *>(shmAddress), rect.width() * 4, rect, frame, swapBytes);
    return true;
}

bool ScreenCapture::readRectPlain(const QRect &rect, QImage &frame) {
    // A reply carries at most the server's maximum request length; bands of rows stay well
    // below it on any server.
    const int bandRows = qMax(1, (4 << 20) / qMax(1, rect.width() * 4));
    for (int y = rect.top(); y <= rect.bottom(); y += bandRows) {
        const QRect band(rect.x(), y, rect.width(), qMin(bandRows, rect.bottom() + 1 - y));
        XcbReply<xcb_get_image_reply_t> r(
            xcb_get_image_reply(c,
                                xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, band.x(),
                                              band.y(), band.width(), band.height(), ~0u),
                                nullptr));
        if (!r || xcb_get_image_data_length(r.get()) < band.width() * band.height() * 4)
            return false;
        copyRows(xcb_get_image_data(r.get()), band.width() * 4, band, frame, swapBytes);
    }
    return true;
}

} // namespace qhost::x11
