#include "platform/KeyboardGrab.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

namespace {
xcb_connection_t *x11Connection() {
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}
} // namespace

KeyboardGrab::KeyboardGrab(QObject *parent) : QObject(parent) {
    // Only while grabbed: the one way to notice a press outside, since the pointer is not ours.
    Watch.setInterval(100);
    connect(&Watch, &QTimer::timeout, this, &KeyboardGrab::watchPointer);
}

KeyboardGrab::~KeyboardGrab() {
    release();
}

bool KeyboardGrab::supported() {
    return QGuiApplication::platformName() == QLatin1String("xcb") && x11Connection();
}

bool KeyboardGrab::grab(QWindow *window) {
    if (!window || !supported() || !window->isExposed())
        return false;
    if (Window == window)
        return true;
    release();
    if (!window->setKeyboardGrabEnabled(true))
        return false;
    Window = window;
    connect(window, &QObject::destroyed, this, &KeyboardGrab::release, Qt::UniqueConnection);
    Watch.start();
    return true;
}

void KeyboardGrab::release() {
    Watch.stop();
    if (QWindow *w = Window.data())
        w->setKeyboardGrabEnabled(false);
    Window.clear();
}

void KeyboardGrab::watchPointer() {
    xcb_connection_t *c = x11Connection();
    QWindow *w = Window.data();
    if (!c || !w) {
        release();
        return;
    }
    // A popup (a menu opened with the mouse) takes the grab for itself and drops it when it
    // closes: the window's grab is taken again then.
    bool popup = false;
    for (const QWindow *t : QGuiApplication::topLevelWindows())
        popup = popup || (t->isVisible() && t->type() == Qt::Popup);
    if (popup) {
        PopupSeen = true;
    } else if (PopupSeen) {
        PopupSeen = false;
        w->setKeyboardGrabEnabled(true);
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return;
    xcb_query_pointer_reply_t *reply =
        xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), nullptr);
    if (!reply)
        return;
    const bool buttonDown =
        reply->mask & (XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3);
    const QPoint at(reply->root_x, reply->root_y);
    free(reply);
    // Root coordinates are physical pixels; the window's geometry is in device-independent ones.
    const qreal ratio = w->devicePixelRatio();
    const QRect frame = w->frameGeometry();
    const QRect physical(frame.topLeft() * ratio, frame.size() * ratio);
    if (buttonDown && !physical.contains(at)) {
        release();
        emit releasedByPointer();
    }
}
