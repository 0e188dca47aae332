#include "x11/X11Desktop.h"

#include "platform/CursorNumbers.h"
#include "x11/CursorNames.h"
#include "x11/KeyboardInjector.h"
#include "x11/RandrModes.h"
#include "x11/ScreenCapture.h"
#include "x11/SessionManager.h"
#include "x11/Wallpaper.h"
#include "x11/XcbReply.h"

#include <QSocketNotifier>

#include <xcb/damage.h>
#include <xcb/shm.h>
#include <xcb/xfixes.h>
#include <xcb/xinput.h>
#include <xcb/xtest.h>

namespace qhost::x11 {

namespace {
// How often the desktop's own pointer is looked at: often enough to follow a hand, rarely
// enough to cost nothing (one round trip).
constexpr int pointerPollMs = 100;
// A borrowed spare key keeps its character this long after the last one typed: a program
// reads the keyboard map when it gets to the key event, which may be well after we sent it.
constexpr int spareKeyHoldMs = 2000;
constexpr int wheelNotch = 120;

uint16_t buttonBit(int xButton) {
    return uint16_t(XCB_BUTTON_MASK_1 << (xButton - 1));
}
} // namespace

X11Desktop::X11Desktop(QObject *parent) : DesktopBackend(parent) {
    pointerPoll.setInterval(pointerPollMs);
    connect(&pointerPoll, &QTimer::timeout, this, &X11Desktop::pollPointer);
    spareKeyReturn.setSingleShot(true);
    spareKeyReturn.setInterval(spareKeyHoldMs);
    connect(&spareKeyReturn, &QTimer::timeout, this, [this] {
        if (keyboard)
            keyboard->returnBorrowedKeys();
    });
}

X11Desktop::~X11Desktop() {
    close();
}

bool X11Desktop::open(QString *error) {
    close();
    int screenNumber = 0;
    c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        *error = QStringLiteral("The X display \"%1\" cannot be opened.")
                     .arg(qEnvironmentVariable("DISPLAY"));
        disconnect();
        return false;
    }
    auto it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    screen = it.data;
    for (xcb_extension_t *ext :
         {&xcb_damage_id, &xcb_xfixes_id, &xcb_shm_id, &xcb_randr_id, &xcb_test_id, &xcb_input_id})
        xcb_prefetch_extension_data(c, ext);

    capture = std::make_unique<ScreenCapture>(c, screen);
    capture->allowSharedMemory(sharedMemoryAllowed);
    keyboard = std::make_unique<KeyboardInjector>(c);
    if (!screen || !capture->open(error) || !keyboard->open(error)) {
        disconnect();
        return false;
    }
    randr = std::make_unique<RandrModes>(c, screen);
    randr->open();
    wallpaper = std::make_unique<Wallpaper>(c, screen);
    // The capture keeps its own size; RandR may have changed the screen since the connection's
    // setup was written.
    XcbReply<xcb_get_geometry_reply_t> g(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, screen->root), nullptr));
    if (g)
        capture->setSize(QSize(g->width, g->height));

    if (const auto *fixes = xcb_get_extension_data(c, &xcb_xfixes_id); fixes && fixes->present) {
        xfixesEventBase = fixes->first_event;
        xcb_xfixes_select_cursor_input(c, screen->root,
                                       XCB_XFIXES_CURSOR_NOTIFY_MASK_DISPLAY_CURSOR);
        XcbReply<xcb_xfixes_get_cursor_image_and_name_reply_t> now(
            xcb_xfixes_get_cursor_image_and_name_reply(c, xcb_xfixes_get_cursor_image_and_name(c),
                                                       nullptr));
        cursor = now ? cursorForName(now->cursor_atom) : CursorNumber::Default;
    }

    // Clicks of the desktop's own user: raw button events reach the root window whoever has
    // the pointer grabbed; ours are counted out of them.
    if (const auto *xi = xcb_get_extension_data(c, &xcb_input_id); xi && xi->present) {
        XcbReply<xcb_input_xi_query_version_reply_t> v(
            xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr));
        if (v && v->major_version >= 2) {
            struct {
                xcb_input_event_mask_t head;
                uint32_t mask;
            } select{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS};
            rawEvents = !XcbReply<xcb_generic_error_t>(xcb_request_check(
                c, xcb_input_xi_select_events_checked(c, screen->root, 1, &select.head)));
            xinputOpcode = xi->major_opcode;
        }
    }
    XcbReply<xcb_query_pointer_reply_t> p(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), nullptr));
    if (p) {
        lastSeen = QPoint(p->root_x, p->root_y);
        seenButtons = p->mask & (XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3);
    }
    xcb_flush(c);

    notifier = new QSocketNotifier(xcb_get_file_descriptor(c), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &X11Desktop::pumpEvents);
    pointerPoll.start();
    schedulePump();
    return true;
}

void X11Desktop::close() {
    if (!c)
        return;
    if (!xcb_connection_has_error(c)) {
        releaseAll();
        if (randr)
            randr->restore();
        if (wallpaper)
            wallpaper->restore();
        if (keyboard)
            keyboard->close();
        if (capture)
            capture->close();
    }
    disconnect();
}

void X11Desktop::disconnect() {
    pointerPoll.stop();
    spareKeyReturn.stop();
    delete notifier;
    notifier = nullptr;
    wallpaper.reset();
    randr.reset();
    keyboard.reset();
    capture.reset();
    if (c)
        xcb_disconnect(c);
    c = nullptr;
    screen = nullptr;
    heldButtons = seenButtons = 0;
    wheelRemainder = 0;
    std::fill(std::begin(expectedPresses), std::end(expectedPresses), 0);
}

void X11Desktop::setSharedMemoryAllowed(bool allowed) {
    sharedMemoryAllowed = allowed;
}

bool X11Desktop::usesSharedMemory() const {
    return capture && capture->usesSharedMemory();
}

QSize X11Desktop::screenSize() const {
    return capture ? capture->size() : QSize();
}

QRegion X11Desktop::grab(QImage &frame) {
    if (!capture)
        return {};
    const QRegion changed = capture->grab(frame);
    schedulePump();
    return changed;
}

QList<DesktopMode> X11Desktop::modes() const {
    return randr ? randr->modes() : QList<DesktopMode>();
}

DesktopMode X11Desktop::currentMode() const {
    return randr ? randr->current() : DesktopMode{screenSize(), 24};
}

bool X11Desktop::setMode(const DesktopMode &mode) {
    const bool ok = randr && randr->setMode(mode.size);
    schedulePump();
    return ok;
}

bool X11Desktop::setWallpaperVisible(bool visible) {
    return wallpaper && wallpaper->setVisible(visible);
}

// --- input

void X11Desktop::movePointer(QPoint position) {
    if (!c)
        return;
    const QSize size = screenSize();
    position.setX(qBound(0, position.x(), qMax(0, size.width() - 1)));
    position.setY(qBound(0, position.y(), qMax(0, size.height() - 1)));
    xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen->root,
                        int16_t(position.x()), int16_t(position.y()), 0);
    xcb_flush(c);
    lastInjected = position;
}

void X11Desktop::fakeButton(int xButton, bool down) {
    xcb_test_fake_input(c, down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, uint8_t(xButton),
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

void X11Desktop::pressButton(int button, bool down) {
    // The console counts left, right, middle; X counts left, middle, right.
    static constexpr int xButtons[] = {0, 1, 3, 2};
    if (!c || button < 1 || button > 3)
        return;
    const int xb = xButtons[button];
    const uint16_t bit = buttonBit(xb);
    if (down == bool(heldButtons & bit))
        return;
    if (down) {
        heldButtons |= bit;
        if (rawEvents)
            ++expectedPresses[xb];
    } else {
        heldButtons &= ~bit;
    }
    fakeButton(xb, down);
    xcb_flush(c);
}

void X11Desktop::wheel(int delta) {
    if (!c)
        return;
    // A turn finer than a notch (a touchpad) adds up until it makes one.
    wheelRemainder += delta;
    while (wheelRemainder >= wheelNotch || wheelRemainder <= -wheelNotch) {
        const int xb = wheelRemainder > 0 ? 4 : 5;
        fakeButton(xb, true);
        fakeButton(xb, false);
        wheelRemainder -= wheelRemainder > 0 ? wheelNotch : -wheelNotch;
    }
    xcb_flush(c);
}

void X11Desktop::key(int virtualKey, bool extended, bool down) {
    // A layout switched a moment ago must be known before the key is looked up.
    pumpEvents();
    if (!keyboard)
        return;
    keyboard->key(virtualKey, extended, down);
    if (keyboard->hasBorrowedKeys())
        spareKeyReturn.start();
    schedulePump();
}

void X11Desktop::typeCharacter(QChar character) {
    pumpEvents();
    if (!keyboard || character.isSurrogate())
        return;
    keyboard->typeCharacter(character.unicode());
    if (keyboard->hasBorrowedKeys())
        spareKeyReturn.start();
    schedulePump();
}

void X11Desktop::releaseAll() {
    if (!c)
        return;
    for (int xb = 1; xb <= 3; ++xb) {
        if (heldButtons & buttonBit(xb))
            fakeButton(xb, false);
    }
    heldButtons = 0;
    if (keyboard)
        keyboard->releaseAll();
    xcb_flush(c);
}

bool X11Desktop::lockScreen() {
    return LockSession();
}

bool X11Desktop::openTaskManager() {
    return OpenTaskManager();
}

// --- what the server tells

void X11Desktop::schedulePump() {
    // Replies read events off the socket into XCB's queue, where the notifier does not see
    // them; they are handled from the event loop, never inside the caller's call.
    if (pumpQueued || !c)
        return;
    pumpQueued = true;
    QMetaObject::invokeMethod(this, &X11Desktop::pumpEvents, Qt::QueuedConnection);
}

void X11Desktop::pumpEvents() {
    pumpQueued = false;
    if (!c)
        return;
    while (xcb_generic_event_t *e = c ? xcb_poll_for_event(c) : nullptr) {
        XcbReply<xcb_generic_event_t> event(e);
        handle(event.get());
    }
    if (c && xcb_connection_has_error(c)) {
        disconnect();
        emit desktopLost();
    }
}

void X11Desktop::handle(const xcb_generic_event_t *event) {
    const uint8_t type = event->response_type & 0x7f;
    if (capture->isDamageNotify(event)) {
        emit damaged();
    } else if (randr->isScreenChangeNotify(event)) {
        screenChanged();
    } else if (xfixesEventBase && type == xfixesEventBase + XCB_XFIXES_CURSOR_NOTIFY) {
        const auto *n = reinterpret_cast<const xcb_xfixes_cursor_notify_event_t *>(event);
        const int number = n->name ? cursorForName(n->name) : cursorForImage();
        if (number != cursor) {
            cursor = number;
            emit cursorChanged(number);
        }
    } else if (keyboard->isKeymapNotify(event)) {
        keyboard->keymapChanged();
    } else if (type == XCB_GE_GENERIC && rawEvents) {
        const auto *ge = reinterpret_cast<const xcb_ge_generic_event_t *>(event);
        if (ge->extension == xinputOpcode && ge->event_type == XCB_INPUT_RAW_BUTTON_PRESS) {
            const auto *raw = reinterpret_cast<const xcb_input_raw_button_press_event_t *>(event);
            const int xb = int(raw->detail);
            if (xb >= 1 && xb <= 3) {
                if (expectedPresses[xb] > 0)
                    --expectedPresses[xb];
                else
                    userClick(xb);
            }
        }
    }
}

void X11Desktop::screenChanged() {
    XcbReply<xcb_get_geometry_reply_t> g(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, screen->root), nullptr));
    if (!g)
        return;
    const QSize size(g->width, g->height);
    if (size == capture->size())
        return;
    capture->setSize(size);
    emit screenSizeChanged(size);
    emit damaged();
}

int X11Desktop::cursorForName(uint32_t nameAtom) {
    if (!nameAtom)
        return cursorForImage();
    if (const auto it = cursorByName.constFind(nameAtom); it != cursorByName.cend())
        return *it;
    XcbReply<xcb_get_atom_name_reply_t> r(
        xcb_get_atom_name_reply(c, xcb_get_atom_name(c, nameAtom), nullptr));
    const int number =
        r ? CursorNumberForName(QByteArrayView(xcb_get_atom_name_name(r.get()),
                                               xcb_get_atom_name_name_length(r.get())))
          : CursorNumber::Default;
    cursorByName.insert(nameAtom, number);
    return number;
}

int X11Desktop::cursorForImage() {
    // An unnamed cursor is the program's own picture; one without a visible pixel hides the
    // pointer (video players, games).
    XcbReply<xcb_xfixes_get_cursor_image_reply_t> r(
        xcb_xfixes_get_cursor_image_reply(c, xcb_xfixes_get_cursor_image(c), nullptr));
    if (!r)
        return CursorNumber::Default;
    const uint32_t *pixels = xcb_xfixes_get_cursor_image_cursor_image(r.get());
    const int n = xcb_xfixes_get_cursor_image_cursor_image_length(r.get());
    for (int i = 0; i < n; ++i) {
        if (pixels[i] >> 24)
            return CursorNumber::Default;
    }
    return CursorNumber::None;
}

void X11Desktop::pollPointer() {
    if (!c)
        return;
    XcbReply<xcb_query_pointer_reply_t> p(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), nullptr));
    schedulePump();
    if (!p)
        return;
    const QPoint at(p->root_x, p->root_y);
    if (at != lastSeen) {
        lastSeen = at;
        if (at != lastInjected)
            emit userPointer(at, false);
    }
    // Without raw events, a button down that we did not press is the user's (a quick click
    // between two looks is missed).
    const uint16_t buttons = p->mask & (XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3);
    const uint16_t pressed = buttons & ~seenButtons & ~heldButtons;
    seenButtons = buttons;
    if (!rawEvents && pressed) {
        for (int xb = 1; xb <= 3; ++xb) {
            if (pressed & buttonBit(xb)) {
                userClick(xb);
                break;
            }
        }
    }
}

void X11Desktop::userClick(int) {
    XcbReply<xcb_query_pointer_reply_t> p(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), nullptr));
    const QPoint at = p ? QPoint(p->root_x, p->root_y) : lastSeen;
    lastSeen = at;
    emit userPointer(at, true);
}

} // namespace qhost::x11
