#include "HostInput.h"
#include "SyntheticDesktop.h"
#include "common/Cp1252.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>

namespace localgw {

namespace {
constexpr int kTitle = 24;
constexpr int kLines = 40;
constexpr int kLabelFont = 13; // pixel size of the window's labels
constexpr int kLineHeight = 18;

// Fields separated by "-", a negative number with its own leading "-"; at most nine digits.
QList<int> fields(const QByteArray &param) {
    QList<int> out;
    qsizetype i = 0;
    while (i < param.size() && out.size() < 8) {
        const bool negative = param[i] == '-';
        if (negative)
            ++i;
        const qsizetype start = i;
        while (i < param.size() && param[i] >= '0' && param[i] <= '9' && i - start < 9)
            ++i;
        if (i == start)
            return {};
        const int v = param.mid(start, i - start).toInt();
        out.append(negative ? -v : v);
        if (i < param.size() && param[i] != '-')
            return {};
        ++i;
    }
    return out;
}

QString modifierText(int flags) {
    QString s;
    if (flags & 2)
        s += QStringLiteral("Ctrl+");
    if (flags & 4)
        s += QStringLiteral("Alt+");
    if (flags & 1)
        s += QStringLiteral("Shift+");
    return s;
}

QString keyName(int vk) {
    switch (vk) {
    case 8:
        return QStringLiteral("Backspace");
    case 9:
        return QStringLiteral("Tab");
    case 13:
        return QStringLiteral("Enter");
    case 27:
        return QStringLiteral("Esc");
    case 46:
        return QStringLiteral("Delete");
    case 91:
    case 92:
        return QStringLiteral("Win");
    default:
        break;
    }
    if (vk >= 112 && vk <= 135)
        return QStringLiteral("F%1").arg(vk - 111);
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return QString(QChar(vk));
    return QStringLiteral("key %1").arg(vk);
}

bool canDrawText() {
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

// Whether drawing into `r` can change anything: the desktop draws only the parts that changed,
// and laying out a text that would be clipped away costs as much as drawing it.
bool reaches(const QPainter &p, const QRect &r) {
    return !p.hasClipping() || p.clipBoundingRect().intersects(r);
}
} // namespace

HostInput::HostInput(SyntheticDesktop &desktop) : m_desktop(desktop) {
    reset();
}

void HostInput::reset() {
    const QSize s = m_desktop.size();
    m_controls = QRect(qMax(24, s.width() - 300), qMin(160, s.height() / 3), 276, 250);
    m_controlsOpen = true;
    m_active = Notepad;
    m_buttonClicks = 0;
    m_firstLine = 0;
    m_startMenu = false;
    m_dragging = false;
    m_lastInput.clear();
}

QRect HostInput::titleBar() const {
    return QRect(m_controls.left(), m_controls.top(), m_controls.width(), kTitle);
}

QRect HostInput::buttonRect() const {
    return QRect(m_controls.left() + 12, m_controls.top() + kTitle + 10, 110, 28);
}

QRect HostInput::listRect() const {
    return QRect(m_controls.left() + 12, m_controls.top() + kTitle + 80, m_controls.width() - 24,
                 m_controls.height() - kTitle - 92);
}

QRect HostInput::startMenuRect() const {
    return QRect(4, m_desktop.size().height() - 32 - 160, 180, 160);
}

QRect HostInput::clicksLabelRect() const {
    const QRect b = buttonRect();
    return QRect(b.right() + 10, b.top(), kLabelFont * 12, b.height());
}

QRect HostInput::lastInputLine() const {
    return QRect(m_controls.left(), buttonRect().bottom() + 20,
                 qMax(0, m_desktop.size().width() - m_controls.left()), kLabelFont * 2);
}

QRegion HostInput::footprint() const {
    QRegion r;
    if (m_controlsOpen)
        r = QRegion(m_controls.adjusted(0, 0, 4, 4)) + clicksLabelRect() + lastInputLine();
    if (m_startMenu)
        r += startMenuRect();
    return r;
}

void HostInput::moveControlsTo(QPoint pointer) {
    const QSize s = m_desktop.size();
    QPoint topLeft = pointer - m_grab;
    // The title bar stays reachable.
    topLeft.setX(qBound(-m_controls.width() + 40, topLeft.x(), s.width() - 40));
    topLeft.setY(qBound(0, topLeft.y(), s.height() - 60));
    m_controls.moveTopLeft(topLeft);
}

bool HostInput::handle(const QByteArray &cmd, const QByteArray &param) {
    if (cmd == "MWhl") {
        const qsizetype slash = param.indexOf('/');
        bool ok = false;
        const int sum = param.left(slash < 0 ? param.size() : slash).toInt(&ok);
        if (!ok)
            return false;
        const int visible = listRect().height() / kLineHeight;
        // Three lines a notch, away from the user scrolls up, as on the real desktop.
        m_firstLine = qBound(0, m_firstLine - sum * 3 / 120, qMax(0, kLines - visible));
        m_lastInput = QStringLiteral("Wheel %1").arg(sum);
        return true;
    }
    const QList<int> n = fields(param.startsWith('#') ? param.mid(1) : param);
    if (cmd == "MoMo" && n.size() == 2) {
        m_desktop.setPointer({n[0], n[1]});
        if (m_dragging)
            moveControlsTo(m_desktop.pointer());
    } else if (cmd == "MsCl" && n.size() == 5) {
        const QPoint at(n[1], n[2]);
        m_desktop.click(at);
        const QPoint p = m_desktop.pointer();
        if (n[3] == 1 && m_controlsOpen && buttonRect().contains(p))
            ++m_buttonClicks;
        if (m_controlsOpen && m_controls.contains(p))
            m_active = Controls;
        else if (n[3] == 1)
            m_active = Notepad;
        m_startMenu = false;
        m_lastInput = QStringLiteral("%1click %2").arg(modifierText(n[4])).arg(n[3]);
    } else if (cmd == "StDr" && n.size() == 6) {
        const QPoint from(n[0], n[1]);
        m_desktop.setPointer({n[2], n[3]});
        m_dragging = n[4] == 1 && m_controlsOpen && titleBar().contains(from);
        if (m_dragging) {
            m_grab = from - m_controls.topLeft();
            m_active = Controls;
            moveControlsTo(m_desktop.pointer());
        }
        m_lastInput = QStringLiteral("drag %1").arg(n[4]);
    } else if (cmd == "MoUp" && n.size() == 3) {
        m_desktop.setPointer({n[0], n[1]});
        if (m_dragging)
            moveControlsTo(m_desktop.pointer());
        m_dragging = false;
        m_lastInput = QStringLiteral("release %1").arg(n[2]);
    } else if (cmd == "KbdP" && n.size() == 3) {
        key(n[0], n[1], n[2]);
    } else {
        return false;
    }
    return true;
}

void HostInput::key(int vk, int ch, int flags) {
    const int modifiers = flags & 7;
    // The console sends characters with virtual key 0; a key with both is typed as well.
    if (ch >= 32 && ch < 256) {
        const QChar c = fromCp1252(QByteArray(1, char(ch))).at(0);
        m_desktop.typeCharacter(c);
        m_lastInput = modifierText(modifiers) + QLatin1Char('\'') + c + QLatin1Char('\'');
        return;
    }
    m_lastInput = modifierText(modifiers) + keyName(vk);
    if (vk == 9 && (modifiers & 4)) {
        if (m_controlsOpen)
            m_active = m_active == Notepad ? Controls : Notepad;
    } else if (vk == 115 && (modifiers & 4)) {
        if (m_active == Controls)
            m_controlsOpen = false;
        m_active = Notepad;
    } else if (vk == 91 || vk == 92) {
        m_startMenu = !m_startMenu;
        m_controlsOpen = true;
    } else if (vk == 27) {
        m_startMenu = false;
    } else if (modifiers == 0 || modifiers == 1) {
        if (vk == 8)
            m_desktop.backspace();
        else if (vk == 13)
            m_desktop.typeCharacter(QLatin1Char('\n'));
    }
}

void HostInput::draw(QPainter &p) const {
    const bool text = canDrawText();
    if (m_controlsOpen) {
        const QRect f = m_controls;
        p.fillRect(f.translated(4, 4), QColor(0, 0, 0, 90));
        p.fillRect(f, QColor(236, 236, 236));
        p.setPen(QColor(60, 60, 60));
        p.drawRect(f.adjusted(0, 0, -1, -1));
        const QColor title = m_active == Controls ? QColor(170, 90, 20) : QColor(150, 150, 150);
        p.fillRect(titleBar().adjusted(1, 1, -1, 0), title);
        const QRect b = buttonRect();
        p.fillRect(b, QColor(210, 210, 210));
        p.setPen(Qt::white);
        p.drawLine(b.topLeft(), b.topRight());
        p.drawLine(b.topLeft(), b.bottomLeft());
        p.setPen(QColor(90, 90, 90));
        p.drawLine(b.bottomLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomRight());
        const QRect list = listRect();
        p.fillRect(list, Qt::white);
        // One stripe per line, so scrolling shows even without fonts.
        const int visible = list.height() / kLineHeight;
        for (int i = 0; i < visible && m_firstLine + i < kLines; ++i) {
            const QRect line(list.left(), list.top() + i * kLineHeight, list.width(), kLineHeight);
            if ((m_firstLine + i) % 2)
                p.fillRect(line, QColor(225, 235, 250));
            if (text && reaches(p, line)) {
                QFont f(QStringLiteral("DejaVu Sans"));
                f.setPixelSize(12);
                p.setFont(f);
                p.setPen(Qt::black);
                p.drawText(line.adjusted(6, 0, 0, 0), Qt::AlignVCenter,
                           QStringLiteral("Line %1").arg(m_firstLine + i + 1));
            }
        }
        if (text) {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(kLabelFont);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            if (reaches(p, titleBar()))
                p.drawText(titleBar().adjusted(8, 0, 0, 0), Qt::AlignVCenter,
                           QStringLiteral("Controls - drag me"));
            f.setBold(false);
            p.setFont(f);
            p.setPen(Qt::black);
            if (reaches(p, b))
                p.drawText(b, Qt::AlignCenter, QStringLiteral("Press me"));
            if (reaches(p, clicksLabelRect()))
                p.drawText(clicksLabelRect(), Qt::AlignVCenter,
                           QStringLiteral("Clicks: %1").arg(m_buttonClicks));
            if (reaches(p, lastInputLine()))
                p.drawText(QRect(f.pixelSize(), 0, 0, 0)
                               .translated(m_controls.left() - 1, b.bottom() + 20),
                           Qt::AlignLeft | Qt::TextDontClip,
                           QStringLiteral("Last: ") + m_lastInput);
        }
    }
    if (m_startMenu) {
        const QRect menu = startMenuRect();
        p.fillRect(menu, QColor(40, 40, 60));
        if (text) {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(kLabelFont);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(menu.adjusted(10, 10, -10, -10), Qt::AlignLeft | Qt::AlignTop,
                       QStringLiteral("Start menu\n\nNotepad\nControls\nShut down"));
        }
    }
}

} // namespace localgw
