#pragma once
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>

class QPainter;

namespace localgw {

// The simulated remote computer's screen: a wallpaper that can be hidden, a few windows with
// text, a task bar with a clock, the text typed by the operator and the host's own pointer.
// Drawing is a pure function of this state, so two desktops in the same state look the same.
//
// The desktop is also kept drawn (frame()): every change marks the part of the screen it
// touches, and redraw() draws only those parts again, so a moved pointer costs a few hundred
// pixels instead of the whole screen. What it draws is exactly what render() would.
class SyntheticDesktop {
public:
    explicit SyntheticDesktop(QSize size = {1024, 768});

    QSize size() const { return m_size; }
    void resize(QSize size);

    bool wallpaperVisible() const { return m_wallpaper; }
    void setWallpaperVisible(bool visible);

    QTime clock() const { return m_clock; }
    void setClock(QTime time);

    QPoint pointer() const { return m_pointer; }
    void setPointer(QPoint position);
    void click(QPoint position);

    // Text the operator typed, shown in the notepad window.
    QString typedText() const { return m_typed; }
    void typeCharacter(QChar c);
    void backspace();

    void setHostName(const QString &name);
    void setDepthLabel(int depth);
    void setTaskManagerVisible(bool visible);
    bool taskManagerVisible() const { return m_taskManager; }
    // The Ctrl-Alt-Del screen.
    void setSecurityScreenVisible(bool visible);
    bool securityScreenVisible() const { return m_security; }
    void setNote(const QString &note);

    // A complete drawing of the desktop as it is now, made from scratch.
    QImage render() const;
    // Drawn over the desktop's windows, under the pointer (the host's input windows).
    // `footprint` says where it may paint (without one it is drawn into every part drawn
    // again); whoever changes what it shows marks the part with invalidate().
    void setOverlay(std::function<void(QPainter &)> overlay,
                    std::function<QRegion()> footprint = {});

    // Brings frame() up to date and returns the part of the screen drawn again (empty when
    // nothing changed since the last call).
    QRegion redraw();
    // The desktop as of the last redraw(), Format_RGB32.
    const QImage &frame() const { return m_frame; }
    // Marks a part of the screen to be drawn again at the next redraw().
    void invalidate(const QRegion &r);

private:
    void invalidateAll();
    QRect pointerBounds() const;
    QRect clickBounds() const;
    void paintWallpaper(QPainter &p) const;
    // Everything above the wallpaper, where it meets `clip`.
    void paintScene(QPainter &p, const QRect &clip) const;
    void drawWindow(QPainter &p, const QRect &frame, const QString &title,
                    const QColor &titleColor) const;
    void drawPointer(QPainter &p) const;
    void drawTexts(QPainter &p, const QRect &clip) const;

    QSize m_size;
    bool m_wallpaper = true;
    QTime m_clock{12, 0, 0};
    QPoint m_pointer{200, 200};
    QPoint m_lastClick{-1, -1};
    QString m_typed;
    QString m_hostName = QStringLiteral("DEMO-PC");
    QString m_note;
    int m_depth = 15;
    bool m_taskManager = false;
    bool m_security = false;
    std::function<void(QPainter &)> m_overlay;
    std::function<QRegion()> m_overlayFootprint;

    QImage m_frame;      // kept drawn
    QImage m_background; // the wallpaper alone: drawn again only when it changes
    QRegion m_dirty;     // parts of m_frame that no longer show the state
};

} // namespace localgw
