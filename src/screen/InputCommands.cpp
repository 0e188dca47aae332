#include "screen/InputCommands.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace InputCommands {

namespace {
QByteArray num(qint64 v) {
    return QByteArray::number(v);
}

int clampToInt(double v) {
    if (!std::isfinite(v))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::clamp(v, lo, hi)));
}

// A decimal number with an optional leading "-" at `i`; at most nine digits, so it fits.
std::optional<int> readNumber(const QByteArray &text, qsizetype &i) {
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    const qsizetype start = i;
    int value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (i - start >= 9)
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i == start)
        return std::nullopt;
    return negative ? -value : value;
}

// Virtual keys of the keys that report no character of their own.
constexpr quint32 VkTab = 9, VkEscape = 27, VkF4 = 115, VkLWin = 91, VkRWin = 92, VkNumLock = 144,
                  VkScroll = 145, VkLShift = 160, VkRMenu = 165;
} // namespace

int ModifierCode(bool shift, bool ctrl, bool alt) {
    return (shift ? 1 : 0) + (ctrl ? 2 : 0) + (alt ? 4 : 0);
}

int ToRemote(int displayed, double scale) {
    if (scale == 0.0 || !std::isfinite(scale))
        return displayed;
    return clampToInt(double(displayed) / scale);
}

QPoint ToRemote(QPoint displayed, double scaleX, double scaleY) {
    return QPoint(ToRemote(displayed.x(), scaleX), ToRemote(displayed.y(), scaleY));
}

int ToDisplayed(int remote, double scale) {
    if (scale == 0.0 || !std::isfinite(scale))
        return remote;
    return clampToInt(double(remote) * scale);
}

QPoint ToDisplayed(QPoint remote, double scaleX, double scaleY) {
    return QPoint(ToDisplayed(remote.x(), scaleX), ToDisplayed(remote.y(), scaleY));
}

QByteArray Click(int clicks, QPoint p, int button, int modifiers) {
    return "MsCl?" + num(clicks) + '-' + num(p.x()) + '-' + num(p.y()) + '-' + num(button) + '-' +
           num(modifiers);
}

QByteArray DragStart(QPoint from, QPoint to, int button, int modifiers) {
    return "StDr?" + num(from.x()) + '-' + num(from.y()) + '-' + num(to.x()) + '-' + num(to.y()) +
           '-' + num(button) + '-' + num(modifiers);
}

QByteArray MouseUp(QPoint p, int button) {
    return "MoUp?" + num(p.x()) + '-' + num(p.y()) + '-' + num(button);
}

QByteArray MouseMove(QPoint p) {
    return "MoMo?" + num(p.x()) + '-' + num(p.y());
}

QByteArray Wheel(qint32 sum, int modifiers) {
    return "MWhl?" + num(sum) + '/' + num(modifiers);
}

QByteArray Key(int virtualKey, int character, int flags) {
    return "KbdP?#" + num(virtualKey) + '-' + num(character) + '-' + num(flags);
}

QByteArray KeyboardLayout(const QString &layout) {
    return "AdLa?" + layout.toLatin1();
}

QList<QByteArray> KeyCommands(const KeyInfo &key, quint8 character, bool suppressed) {
    QList<QByteArray> out;
    const quint32 vk = key.virtualKey;
    if (suppressed) {
        // A system combination is one keystroke on the remote computer: it goes out when the
        // key goes down (and with each repeat), never again for its release, or Alt+F4 would
        // close two windows there.
        if (!key.down)
            return out;
        if (key.alt && vk == VkTab)
            out.append(Key(VkTab, 0, 4));
        if (key.alt && vk == VkEscape)
            out.append(Key(VkEscape, 0, 4));
        if (key.alt && vk == VkF4)
            out.append(Key(VkF4, 0, 4));
        if (key.ctrl && vk == VkEscape)
            out.append(Key(VkEscape, 0, 2));
        if (vk == VkLWin || vk == VkRWin)
            out.append(Key(int(vk), 0, key.extended ? ExtendedFlag : 0));
        return out;
    }
    if (vk == VkNumLock || vk == VkScroll || !key.down)
        return out;
    const int modifiers = ModifierCode(key.shift, key.ctrl, key.alt);
    if (character >= 32) {
        out.append(Key(0, character, modifiers));
        return out;
    }
    // A key the host cannot know (no virtual key, no character) would arrive as nothing.
    if ((vk >= VkLShift && vk <= VkRMenu) || vk == 0)
        return out;
    out.append(Key(int(vk), 0, modifiers + (key.extended ? ExtendedFlag : 0)));
    return out;
}

std::optional<QList<int>> ParseNumbers(const QByteArray &text, int count) {
    QList<int> out;
    qsizetype i = 0;
    while (out.size() < count) {
        const auto n = readNumber(text, i);
        if (!n)
            return std::nullopt;
        out.append(*n);
        if (out.size() < count) {
            if (i >= text.size() || text[i] != '-')
                return std::nullopt;
            ++i;
        }
    }
    if (i != text.size())
        return std::nullopt;
    return out;
}

std::optional<QPoint> ParsePointerReport(const QByteArray &parameter) {
    const auto n = ParseNumbers(parameter, 2);
    if (!n)
        return std::nullopt;
    return QPoint((*n)[0], (*n)[1]);
}

int ParseCursorNumber(const QByteArray &parameter) {
    qsizetype i = 0;
    const auto n = readNumber(parameter.trimmed(), i);
    return n && i == parameter.trimmed().size() ? *n : 0;
}

AxisFollow FollowPointerAxis(int x, int c, int &s, int &p) {
    AxisFollow f;
    f.place = s + x;
    if (x == p)
        return f;
    f.changed = true;
    // 64-bit, so a far report cannot overflow the arithmetic; the result is bounded again.
    const qint64 X = x, C = c, S = s, P = p;
    qint64 by = 0, place;
    if (X > C - S && X > P) {
        by = C - X - S;
        place = C;
    } else if (X < -S && X < P) {
        by = -X - S;
        place = 0;
    } else {
        place = S + X;
    }
    const auto bound = [](qint64 v) {
        return int(std::clamp<qint64>(v, std::numeric_limits<int>::min() / 2,
                                      std::numeric_limits<int>::max() / 2));
    };
    f.scrollBy = bound(by);
    f.place = bound(place);
    s = bound(S + by);
    p = x;
    return f;
}

} // namespace InputCommands
