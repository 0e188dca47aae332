#include "x11/Wallpaper.h"

#include "x11/XcbReply.h"

#include <QProcess>
#include <QStandardPaths>

#include <cstring>

namespace qhost::x11 {

namespace {
QString runGsettings(const QStringList &args, bool *ok) {
    QProcess p;
    p.start(QStringLiteral("gsettings"), args);
    *ok = p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
} // namespace

Wallpaper::Wallpaper(xcb_connection_t *connection, const xcb_screen_t *screen)
    : c(connection), screen(screen) {}

QString Wallpaper::settingsSchema() const {
    if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
        return {};
    const QStringList desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").toUpper().split(QLatin1Char(':'));
    if (desktops.contains(QLatin1String("X-CINNAMON")) ||
        desktops.contains(QLatin1String("CINNAMON")))
        return QStringLiteral("org.cinnamon.desktop.background");
    if (desktops.contains(QLatin1String("MATE")))
        return QStringLiteral("org.mate.background");
    if (desktops.contains(QLatin1String("GNOME")) || desktops.contains(QLatin1String("UNITY")))
        return QStringLiteral("org.gnome.desktop.background");
    return {};
}

bool Wallpaper::setVisible(bool visible) {
    if (visible == !hidden)
        return true;
    const QString schema = settingsSchema();
    return schema.isEmpty() ? setVisibleOnRoot(visible)
                            : setVisibleThroughSettings(schema, visible);
}

void Wallpaper::restore() {
    if (hidden)
        setVisible(true);
}

bool Wallpaper::setVisibleThroughSettings(const QString &schema, bool visible) {
    const QString key = QStringLiteral("picture-options");
    bool ok = false;
    if (!visible) {
        const QString option = runGsettings({QStringLiteral("get"), schema, key}, &ok);
        if (!ok)
            return false;
        // gsettings prints the enumeration as a quoted string.
        savedOption = option.mid(1, option.size() - 2);
        runGsettings({QStringLiteral("set"), schema, key, QStringLiteral("none")}, &ok);
        hidden = ok;
        return ok;
    }
    runGsettings({QStringLiteral("set"), schema, key, savedOption}, &ok);
    if (ok)
        hidden = false;
    return ok;
}

uint32_t Wallpaper::rootPicture() {
    static const char name[] = "_XROOTPMAP_ID";
    XcbReply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 1, uint16_t(std::strlen(name)), name), nullptr));
    if (!atom || !atom->atom)
        return 0;
    XcbReply<xcb_get_property_reply_t> p(xcb_get_property_reply(
        c, xcb_get_property(c, 0, screen->root, atom->atom, XCB_ATOM_PIXMAP, 0, 1), nullptr));
    if (!p || p->type != XCB_ATOM_PIXMAP || p->format != 32 ||
        xcb_get_property_value_length(p.get()) < 4)
        return 0;
    return *static_cast<const uint32_t *>(xcb_get_property_value(p.get()));
}

bool Wallpaper::setVisibleOnRoot(bool visible) {
    if (!visible) {
        // A root without a published picture shows a plain colour or the server's pattern:
        // there is no wallpaper to take away, and nothing we could put back exactly.
        savedPicture = rootPicture();
        if (!savedPicture)
            return false;
        const uint32_t colour = plainColour;
        xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXEL, &colour);
        xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
        xcb_flush(c);
        hidden = true;
        return true;
    }
    // The picture belongs to the program that set it; it may have gone since.
    XcbReply<xcb_get_geometry_reply_t> g(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, savedPicture), nullptr));
    if (!g)
        return false;
    xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXMAP, &savedPicture);
    xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
    xcb_flush(c);
    hidden = false;
    return true;
}

} // namespace qhost::x11
