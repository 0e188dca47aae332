#include "SyntheticDesktop.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace localgw {

namespace {
constexpr int kTaskbarHeight = 32;
constexpr int kTitleHeight = 24;
constexpr int kMaxTyped = 2000;

struct Layout {
    QRect welcome;
    QRect clock;
    QRect notepad;
    QRect page;
    QRect taskManager;
    QRect security;
    QRect taskbar;
    QRect start;
    QRect taskbarClock; // the right end of the task bar, where the time is written
};

Layout layoutFor(QSize size) {
    const int w = size.width();
    const int h = size.height();
    Layout l;
    l.welcome = QRect(24, 24, qMin(440, w - 48), 150);
    l.clock = QRect(qMax(24, w - 264), 24, 240, 110);
    l.notepad = QRect(24, qMin(200, h / 3), qMin(520, w - 48), qMin(220, h / 3));
    l.page = l.notepad.adjusted(8, kTitleHeight + 8, -8, -8);
    l.taskManager = QRect(w / 2 - 150, h / 2 - 90, 300, 180);
    l.security = QRect(w / 2 - 130, h / 2 - 110, 260, 200);
    l.taskbar = QRect(0, h - kTaskbarHeight, w, kTaskbarHeight);
    l.start = QRect(4, l.taskbar.top() + 4, 70, kTaskbarHeight - 8);
    l.taskbarClock = QRect(w - 160, l.taskbar.top(), 160, kTaskbarHeight);
    return l;
}

// Text needs the font database of a GUI application; without one (a console-only test
// program) the desktop is drawn without its texts rather than not at all.
bool canDrawText() {
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

// The choices of the Ctrl-Alt-Del screen, one line each below its title.
const char *const kSecurityChoices[] = {"Lock", "Switch user", "Sign out", "Task Manager",
                                        "Cancel"};
constexpr int kSecurityLine = 28;

// A window with its shadow.
QRect withShadow(const QRect &frame) {
    return frame.adjusted(0, 0, 4, 4);
}

// Where the welcome window's lines may reach: they are not clipped to the window, so a long
// note runs on to the right edge of the screen.
QRect welcomeTextBand(const Layout &l, QSize size) {
    return QRect(l.welcome.left(), l.welcome.top(), size.width() - l.welcome.left(),
                 l.welcome.height());
}

QString depthName(int depth) {
    switch (depth) {
    case 4:
        return QStringLiteral("16 colours");
    case 8:
        return QStringLiteral("256 colours");
    default:
        return QStringLiteral("65536 colours");
    }
}
} // namespace

SyntheticDesktop::SyntheticDesktop(QSize size) {
    resize(size);
}

void SyntheticDesktop::resize(QSize size) {
    m_size = size.expandedTo(QSize(320, 240)).boundedTo(QSize(4096, 4096));
    setPointer(m_pointer);
    invalidateAll();
}

void SyntheticDesktop::invalidate(const QRegion &r) {
    m_dirty += r & QRect(QPoint(0, 0), m_size);
}

void SyntheticDesktop::setOverlay(std::function<void(QPainter &)> overlay,
                                  std::function<QRegion()> footprint) {
    m_overlay = std::move(overlay);
    m_overlayFootprint = std::move(footprint);
    invalidateAll();
}

void SyntheticDesktop::invalidateAll() {
    m_background = QImage();
    m_dirty = QRect(QPoint(0, 0), m_size);
}

QRect SyntheticDesktop::pointerBounds() const {
    return QRect(m_pointer - QPoint(2, 2), QSize(17, 25));
}

QRect SyntheticDesktop::clickBounds() const {
    if (m_lastClick.x() < 0)
        return {};
    return QRect(m_lastClick - QPoint(12, 12), QSize(25, 25));
}

void SyntheticDesktop::setWallpaperVisible(bool visible) {
    if (visible == m_wallpaper)
        return;
    m_wallpaper = visible;
    invalidateAll();
}

void SyntheticDesktop::setClock(QTime time) {
    const bool shownDiffers = time.hour() != m_clock.hour() || time.minute() != m_clock.minute() ||
                              time.second() != m_clock.second();
    m_clock = time;
    if (!shownDiffers)
        return;
    const Layout l = layoutFor(m_size);
    invalidate(l.clock);
    invalidate(l.taskbarClock);
}

void SyntheticDesktop::setPointer(QPoint position) {
    invalidate(pointerBounds());
    m_pointer = QPoint(qBound(0, position.x(), m_size.width() - 1),
                       qBound(0, position.y(), m_size.height() - 1));
    invalidate(pointerBounds());
}

void SyntheticDesktop::click(QPoint position) {
    setPointer(position);
    invalidate(clickBounds());
    m_lastClick = m_pointer;
    invalidate(clickBounds());
    // The task manager's close box closes it, as a person trying the console would expect.
    const QRect tm = layoutFor(m_size).taskManager;
    const QRect closeBox(tm.right() - 21, tm.top() + 1, 22, kTitleHeight);
    if (m_taskManager && closeBox.contains(m_pointer))
        setTaskManagerVisible(false);
    // Any click on the Ctrl-Alt-Del screen leaves it; its "Task Manager" line opens that.
    const QRect security = layoutFor(m_size).security;
    if (m_security && security.contains(m_pointer)) {
        setSecurityScreenVisible(false);
        if ((m_pointer.y() - security.top() - kTitleHeight) / kSecurityLine == 3)
            setTaskManagerVisible(true);
    }
}

void SyntheticDesktop::typeCharacter(QChar c) {
    if (m_typed.size() >= kMaxTyped)
        m_typed.remove(0, m_typed.size() - kMaxTyped + 1);
    m_typed.append(c);
    invalidate(layoutFor(m_size).page);
}

void SyntheticDesktop::backspace() {
    if (m_typed.isEmpty())
        return;
    m_typed.chop(1);
    invalidate(layoutFor(m_size).page);
}

void SyntheticDesktop::setHostName(const QString &name) {
    if (name == m_hostName)
        return;
    m_hostName = name;
    invalidate(welcomeTextBand(layoutFor(m_size), m_size));
}

void SyntheticDesktop::setDepthLabel(int depth) {
    if (depth == m_depth)
        return;
    m_depth = depth;
    invalidate(welcomeTextBand(layoutFor(m_size), m_size));
}

void SyntheticDesktop::setTaskManagerVisible(bool visible) {
    if (visible == m_taskManager)
        return;
    m_taskManager = visible;
    invalidate(withShadow(layoutFor(m_size).taskManager));
}

void SyntheticDesktop::setSecurityScreenVisible(bool visible) {
    if (visible == m_security)
        return;
    m_security = visible;
    invalidate(withShadow(layoutFor(m_size).security));
}

void SyntheticDesktop::setNote(const QString &note) {
    if (note == m_note)
        return;
    m_note = note;
    invalidate(welcomeTextBand(layoutFor(m_size), m_size));
}

void SyntheticDesktop::paintWallpaper(QPainter &p) const {
    const QRect area(0, 0, m_size.width(), m_size.height() - kTaskbarHeight);
    if (!m_wallpaper) {
        p.fillRect(area, QColor(58, 110, 165));
        return;
    }
    QLinearGradient sky(0, 0, 0, area.height());
    sky.setColorAt(0, QColor(18, 60, 120));
    sky.setColorAt(0.6, QColor(40, 140, 170));
    sky.setColorAt(1, QColor(230, 190, 110));
    p.fillRect(area, sky);
    // Hills, so that hiding the wallpaper is obvious at a glance.
    QPainterPath hills;
    hills.moveTo(0, area.height());
    for (int x = 0; x <= area.width(); x += 16) {
        const double t = double(x) / qMax(1, area.width());
        hills.lineTo(x,
                     area.height() * (0.78 - 0.08 * std::sin(t * 9.0) - 0.05 * std::sin(t * 23.0)));
    }
    hills.lineTo(area.width(), area.height());
    hills.closeSubpath();
    p.fillPath(hills, QColor(40, 110, 60));
    if (!canDrawText())
        return;
    p.setPen(QColor(255, 255, 255, 170));
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPixelSize(qMax(18, area.height() / 14));
    big.setBold(true);
    p.setFont(big);
    p.drawText(area.adjusted(0, 0, -24, -24), Qt::AlignRight | Qt::AlignBottom,
               QStringLiteral("QUORVIA DEMO HOST"));
}

void SyntheticDesktop::drawWindow(QPainter &p, const QRect &frame, const QString &title,
                                  const QColor &titleColor) const {
    p.fillRect(frame.translated(4, 4), QColor(0, 0, 0, 90));
    p.fillRect(frame, QColor(236, 236, 236));
    p.setPen(QColor(60, 60, 60));
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    const QRect bar(frame.left() + 1, frame.top() + 1, frame.width() - 2, kTitleHeight);
    p.fillRect(bar, titleColor);
    const QRect close(bar.right() - 20, bar.top() + 4, 16, 16);
    p.fillRect(close, QColor(200, 60, 50));
    p.setPen(Qt::white);
    p.drawLine(close.topLeft() + QPoint(4, 4), close.bottomRight() - QPoint(4, 4));
    p.drawLine(close.topRight() + QPoint(-4, 4), close.bottomLeft() + QPoint(4, -4));
    if (!canDrawText())
        return;
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(bar.adjusted(8, 0, -30, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
}

void SyntheticDesktop::drawPointer(QPainter &p) const {
    const QPointF o = m_pointer;
    QPolygonF arrow;
    arrow << o << o + QPointF(0, 17) << o + QPointF(4, 13) << o + QPointF(7, 20)
          << o + QPointF(10, 19) << o + QPointF(7, 12) << o + QPointF(12, 12);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
}

QImage SyntheticDesktop::render() const {
    QImage background(m_size, QImage::Format_RGB32);
    background.fill(Qt::black);
    {
        QPainter p(&background);
        paintWallpaper(p);
    }
    QImage img = background;
    QPainter p(&img);
    const QRect all(QPoint(0, 0), m_size);
    p.setClipRect(all);
    paintScene(p, all);
    return img;
}

QRegion SyntheticDesktop::redraw() {
    if (m_frame.size() != m_size) {
        m_frame = QImage(m_size, QImage::Format_RGB32);
        invalidateAll();
    }
    if (m_dirty.isEmpty())
        return {};
    if (m_background.isNull()) {
        m_background = QImage(m_size, QImage::Format_RGB32);
        m_background.fill(Qt::black);
        QPainter p(&m_background);
        paintWallpaper(p);
    }
    QPainter p(&m_frame);
    for (const QRect &r : m_dirty) {
        // Each part starts from the wallpaper and a fresh painter, as a whole drawing does.
        p.save();
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(r.topLeft(), m_background, r);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setClipRect(r);
        paintScene(p, r);
        p.restore();
    }
    p.end();
    return std::exchange(m_dirty, QRegion());
}

void SyntheticDesktop::paintScene(QPainter &p, const QRect &clip) const {
    const Layout l = layoutFor(m_size);
    if (clip.intersects(withShadow(l.welcome)))
        drawWindow(p, l.welcome, QStringLiteral("Welcome - simulated remote computer"),
                   QColor(0, 70, 140));
    if (clip.intersects(withShadow(l.clock))) {
        drawWindow(p, l.clock, QStringLiteral("Clock"), QColor(120, 40, 120));
        // A seconds bar: the clock changes visibly even where no text can be drawn.
        const QRect track(l.clock.left() + 10, l.clock.bottom() - 14, l.clock.width() - 20, 6);
        p.fillRect(track, QColor(200, 200, 200));
        p.fillRect(QRect(track.topLeft(), QSize(track.width() * (m_clock.second() + 1) / 60, 6)),
                   QColor(120, 40, 120));
    }
    if (clip.intersects(withShadow(l.notepad))) {
        drawWindow(p, l.notepad, QStringLiteral("Notepad - typed.txt"), QColor(30, 110, 60));
        p.fillRect(l.page, Qt::white);
    }
    if (m_taskManager && clip.intersects(withShadow(l.taskManager)))
        drawWindow(p, l.taskManager, QStringLiteral("Task Manager"), QColor(90, 90, 90));
    if (m_security && clip.intersects(withShadow(l.security)))
        drawWindow(p, l.security, QStringLiteral("Windows Security"), QColor(10, 40, 110));

    if (clip.intersects(l.taskbar)) {
        p.fillRect(l.taskbar, QColor(192, 192, 192));
        p.setPen(Qt::white);
        p.drawLine(l.taskbar.topLeft(), l.taskbar.topRight());
        p.fillRect(l.start, QColor(0, 128, 0));
    }

    if (canDrawText())
        drawTexts(p, clip);
    if (m_overlay && (!m_overlayFootprint || m_overlayFootprint().intersects(clip)))
        m_overlay(p);

    if (m_lastClick.x() >= 0 && clip.intersects(clickBounds())) {
        p.setPen(QPen(QColor(255, 0, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(m_lastClick, 9, 9);
    }
    if (clip.intersects(pointerBounds()))
        drawPointer(p);
}

void SyntheticDesktop::drawTexts(QPainter &p, const QRect &clip) const {
    const Layout l = layoutFor(m_size);
    QFont text(QStringLiteral("DejaVu Sans"));
    text.setPixelSize(13);
    p.setFont(text);
    p.setPen(Qt::black);
    if (clip.intersects(welcomeTextBand(l, m_size))) {
        const QStringList lines = {
            QStringLiteral("This is the desktop of the simulated host."),
            QStringLiteral("Computer name: %1").arg(m_hostName),
            QStringLiteral("Screen: %1 x %2, %3")
                .arg(m_size.width())
                .arg(m_size.height())
                .arg(depthName(m_depth)),
            QStringLiteral("Move the mouse or type: the host follows."),
            m_note,
        };
        int y = l.welcome.top() + kTitleHeight + 22;
        for (const QString &line : lines) {
            p.drawText(l.welcome.left() + 14, y, line);
            y += 20;
        }
    }

    if (clip.intersects(l.page))
        p.drawText(l.page.adjusted(6, 4, -6, -4),
                   Qt::TextWrapAnywhere | Qt::AlignLeft | Qt::AlignTop, m_typed + QLatin1Char('|'));

    if (m_taskManager && clip.intersects(l.taskManager)) {
        int ty = l.taskManager.top() + kTitleHeight + 22;
        for (const char *task : {"explorer.exe", "notepad.exe", "clock.exe", "qvhost.exe"}) {
            p.drawText(l.taskManager.left() + 14, ty, QString::fromLatin1(task));
            ty += 20;
        }
    }
    if (m_security && clip.intersects(l.security)) {
        int sy = l.security.top() + kTitleHeight;
        for (const char *choice : kSecurityChoices) {
            p.drawText(QRect(l.security.left(), sy, l.security.width(), kSecurityLine),
                       Qt::AlignCenter, QString::fromLatin1(choice));
            sy += kSecurityLine;
        }
    }
    if (clip.intersects(l.taskbar))
        p.drawText(l.taskbar.adjusted(0, 0, -10, 0), Qt::AlignVCenter | Qt::AlignRight,
                   m_clock.toString(QStringLiteral("HH:mm:ss")));

    QFont bold = text;
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(Qt::white);
    if (clip.intersects(l.start))
        p.drawText(l.start, Qt::AlignCenter, QStringLiteral("Start"));

    if (clip.intersects(l.clock)) {
        QFont digits(QStringLiteral("DejaVu Sans Mono"));
        digits.setPixelSize(40);
        digits.setBold(true);
        p.setFont(digits);
        p.setPen(QColor(20, 20, 20));
        p.drawText(l.clock.adjusted(0, kTitleHeight, 0, -16), Qt::AlignCenter,
                   m_clock.toString(QStringLiteral("HH:mm:ss")));
    }
}

} // namespace localgw
