#pragma once
// A desktop in memory for the host program's tests: a picture that the test paints on, and a
// record of every input call the session made.
#include "desktop/DesktopBackend.h"

#include <QPainter>
#include <QStringList>

class FakeDesktop : public qhost::DesktopBackend {
    Q_OBJECT
public:
    explicit FakeDesktop(QSize size = {320, 200}) : m_screen(size, QImage::Format_RGB32) {
        m_screen.fill(QColor(20, 90, 160));
    }

    QStringList calls; // "move 1,2", "button 1 down", "key 17 down", "type €", …
    bool wallpaperAllowed = true;
    bool closed = false;
    int releases = 0;

    void paint(const QRect &r, QColor c) {
        QPainter(&m_screen).fillRect(r, c);
        m_damage += r;
        emit damaged();
    }
    const QImage &screen() const { return m_screen; }
    void userMoves(QPoint p, bool click) { emit userPointer(p, click); }

    bool open(QString *) override { return true; }
    void close() override { closed = true; }
    QSize screenSize() const override { return m_screen.size(); }
    QRegion grab(QImage &frame) override {
        QRegion changed = m_damage;
        if (frame.size() != m_screen.size())
            changed = QRegion(m_screen.rect());
        frame = m_screen.copy();
        m_damage = QRegion();
        return changed;
    }
    QList<qhost::DesktopMode> modes() const override {
        return {{QSize(320, 200), 24}, {QSize(640, 480), 24}};
    }
    qhost::DesktopMode currentMode() const override { return {m_screen.size(), 24}; }
    bool setMode(const qhost::DesktopMode &mode) override {
        m_screen = QImage(mode.size, QImage::Format_RGB32);
        m_screen.fill(Qt::darkGreen);
        calls << QStringLiteral("mode %1x%2").arg(mode.size.width()).arg(mode.size.height());
        emit damaged();
        return true;
    }
    bool setWallpaperVisible(bool visible) override {
        calls << QStringLiteral("wallpaper %1").arg(visible);
        return wallpaperAllowed;
    }
    void movePointer(QPoint p) override {
        calls << QStringLiteral("move %1,%2").arg(p.x()).arg(p.y());
    }
    void pressButton(int b, bool down) override {
        calls << QStringLiteral("button %1 %2").arg(b).arg(down ? "down" : "up");
    }
    void wheel(int delta) override { calls << QStringLiteral("wheel %1").arg(delta); }
    void key(int vk, bool extended, bool down) override {
        calls << QStringLiteral("key %1%2 %3")
                     .arg(vk)
                     .arg(extended ? "e" : "")
                     .arg(down ? "down" : "up");
    }
    void typeCharacter(QChar c) override { calls << QStringLiteral("type ") + c; }
    void releaseAll() override { ++releases; }
    bool lockScreen() override {
        calls << QStringLiteral("lock");
        return true;
    }
    bool openTaskManager() override {
        calls << QStringLiteral("task manager");
        return true;
    }

private:
    QImage m_screen;
    QRegion m_damage;
};
