#pragma once
#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>

#include <optional>

// The texts of the input commands and the host's pointer and cursor reports, and the arithmetic
// between displayed and remote pixels. Pure functions: the input core, the local gateway's
// host and the tests share one definition.
namespace InputCommands {

// Shift adds 1, Ctrl 2, Alt 4.
int ModifierCode(bool shift, bool ctrl, bool alt);
// Added to the modifier code of a key command for an extended key.
inline constexpr int ExtendedFlag = 64;

// Displayed to remote pixels: truncated toward zero; a factor of 0 leaves the value as it is.
int ToRemote(int displayed, double scale);
QPoint ToRemote(QPoint displayed, double scaleX, double scaleY);
// Remote to displayed pixels, with the same fallback; kept inside the int range.
int ToDisplayed(int remote, double scale);
QPoint ToDisplayed(QPoint remote, double scaleX, double scaleY);

QByteArray Click(int clicks, QPoint remote, int button, int modifiers);  // "MsCl?"
QByteArray DragStart(QPoint from, QPoint to, int button, int modifiers); // "StDr?"
QByteArray MouseUp(QPoint remote, int button);                           // "MoUp?"
QByteArray MouseMove(QPoint remote);                                     // "MoMo?"
QByteArray Wheel(qint32 sum, int modifiers);                             // "MWhl?"
QByteArray Key(int virtualKey, int character, int flags);                // "KbdP?#"
QByteArray KeyboardLayout(const QString &layout);                        // "AdLa?"

// A key as the keyboard hook reports it: its transition, the modifier state that went with it
// and the key's identity. Everything travels with the event; nothing is read later from the
// live keyboard state.
struct KeyInfo {
    bool down = true;
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
    bool extended = false;
    quint32 repeatCount = 0;
    quint32 virtualKey = 0;
    quint32 scanCode = 0;
    quint32 hookFlags = 0;
    quint32 time = 0;
};

// What one key report sends to the host: none, one or more "KbdP" commands. `character` is the
// Windows-1252 byte the key produces (0 if none); `suppressed` tells that the key is a system
// combination the hook kept from the local desktop.
QList<QByteArray> KeyCommands(const KeyInfo &key, quint8 character, bool suppressed);

// `count` decimal numbers separated by "-", each with its own optional leading "-" and at most
// nine digits ("5--12-3" is 5, -12, 3), and nothing after them; the input commands' parameters
// and the host's reports are written so.
std::optional<QList<int>> ParseNumbers(const QByteArray &text, int count);

// The host's report of its user's pointer: "x-y", each a decimal number with an optional
// leading "-" ("-5--12" is (-5, -12)). Nothing for anything else.
std::optional<QPoint> ParsePointerReport(const QByteArray &parameter);
// The cursor number of "SCur": a decimal integer, 0 when it is not one.
int ParseCursorNumber(const QByteArray &parameter);

// Following the remote user's pointer along one axis of the view. `clientSize` is the view's
// visible extent, `scroll` the offset by which the content has been moved (negative when
// scrolled toward the end) and `last` the last reported position; both are updated. Returns
// where the indicator goes in the view and by how much the content moves.
struct AxisFollow {
    int place = 0;
    int scrollBy = 0;
    bool changed = false;
};
AxisFollow FollowPointerAxis(int position, int clientSize, int &scroll, int &last);

} // namespace InputCommands
