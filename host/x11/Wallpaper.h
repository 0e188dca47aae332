#pragma once
#include <QString>

#include <xcb/xcb.h>

namespace qhost::x11 {

// The desktop's wallpaper off and on again. Desktops that draw their own (GNOME, Cinnamon,
// MATE) are told through their settings; elsewhere the root window's wallpaper picture (the
// pixmap a wallpaper setter publishes as _XROOTPMAP_ID) gives way to a plain colour.
class Wallpaper {
public:
    Wallpaper(xcb_connection_t *connection, const xcb_screen_t *screen);
    // False where neither applies (no such desktop, no wallpaper picture on the root).
    bool setVisible(bool visible);
    // Shows it again if we hid it.
    void restore();

    // The plain colour that replaces the wallpaper (a dark slate blue).
    static constexpr uint32_t plainColour = 0x2d3e50;

private:
    QString settingsSchema() const;
    bool setVisibleThroughSettings(const QString &schema, bool visible);
    bool setVisibleOnRoot(bool visible);
    uint32_t rootPicture();

    xcb_connection_t *c;
    const xcb_screen_t *screen;
    bool hidden = false;
    QString savedOption; // the picture option the desktop's settings had
    uint32_t savedPicture = 0;
};

} // namespace qhost::x11
