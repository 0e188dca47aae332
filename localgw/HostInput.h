#pragma once
#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>

class QPainter;

namespace localgw {

class SyntheticDesktop;

// What the simulated host does with the operator's mouse and keys, so that control shows on
// its desktop: the pointer moves, a button counts its clicks, a window is dragged by its title
// bar, a list scrolls with the wheel, characters go into the notepad, Alt+Tab switches the
// active window, Alt+F4 closes it, the Windows key opens the start menu.
class HostInput {
public:
    explicit HostInput(SyntheticDesktop &desktop);

    // One console command ("MoMo", "MsCl", "StDr", "MoUp", "MWhl", "KbdP"); false when it is
    // none of them or malformed.
    bool handle(const QByteArray &command, const QByteArray &parameter);
    // Drawn over the desktop's own windows, under the pointer.
    void draw(QPainter &p) const;
    // Where draw() may paint: the desktop redraws only these parts for it.
    QRegion footprint() const;
    // Back to the start (the host rejoined after a reboot).
    void reset();

    // Observations for tests.
    enum Window : int { Notepad = 0, Controls = 1 };
    QRect controlsFrame() const { return m_controls; }
    bool controlsOpen() const { return m_controlsOpen; }
    int activeWindow() const { return m_active; }
    int buttonClicks() const { return m_buttonClicks; }
    int firstListLine() const { return m_firstLine; }
    bool startMenuOpen() const { return m_startMenu; }
    QString lastInput() const { return m_lastInput; }
    QRect buttonRect() const;
    QRect titleBar() const;
    QRect listRect() const;
    QRect startMenuRect() const;
    QRect clicksLabelRect() const;
    // The last input's text: not clipped to the window, it may run on to the screen's edge.
    QRect lastInputLine() const;

private:
    void key(int vk, int ch, int flags);
    void moveControlsTo(QPoint pointer);

    SyntheticDesktop &m_desktop;
    QRect m_controls;
    bool m_controlsOpen = true;
    int m_active = Notepad;
    int m_buttonClicks = 0;
    int m_firstLine = 0;
    bool m_startMenu = false;
    bool m_dragging = false;
    QPoint m_grab; // pointer minus the window's top left while dragging
    QString m_lastInput;
};

} // namespace localgw
