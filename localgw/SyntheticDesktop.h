#pragma once
#include <QImage>
#include <QPoint>
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
class SyntheticDesktop {
public:
    explicit SyntheticDesktop(QSize size = {1024, 768});

    QSize size() const { return m_size; }
    void resize(QSize size);

    bool wallpaperVisible() const { return m_wallpaper; }
    void setWallpaperVisible(bool visible) { m_wallpaper = visible; }

    QTime clock() const { return m_clock; }
    void setClock(QTime time) { m_clock = time; }

    QPoint pointer() const { return m_pointer; }
    void setPointer(QPoint position);
    void click(QPoint position);

    // Text the operator typed, shown in the notepad window.
    QString typedText() const { return m_typed; }
    void typeCharacter(QChar c);
    void backspace();

    void setHostName(const QString &name) { m_hostName = name; }
    void setDepthLabel(int depth) { m_depth = depth; }
    void setTaskManagerVisible(bool visible) { m_taskManager = visible; }
    bool taskManagerVisible() const { return m_taskManager; }
    // The Ctrl-Alt-Del screen.
    void setSecurityScreenVisible(bool visible) { m_security = visible; }
    bool securityScreenVisible() const { return m_security; }
    void setNote(const QString &note) { m_note = note; }

    QImage render() const;
    // Drawn over the desktop's windows, under the pointer (the host's input windows).
    void setOverlay(std::function<void(QPainter &)> overlay) { m_overlay = std::move(overlay); }

private:
    void drawWallpaper(QPainter &p) const;
    void drawWindow(QPainter &p, const QRect &frame, const QString &title,
                    const QColor &titleColor) const;
    void drawPointer(QPainter &p) const;
    void drawTexts(QPainter &p) const;

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
};

} // namespace localgw
