#pragma once
#include <QByteArray>
#include <QPoint>

#include <optional>

namespace qhost {

// One input command of the console ("MoMo", "MsCl", "StDr", "MoUp", "MWhl", "KbdP"), read
// back from the texts that InputCommands writes. Every number is bounded to nine digits, so
// nothing from the gateway can overflow the arithmetic after it.
struct InputEvent {
    enum Kind { Move, Click, DragStart, ButtonUp, Wheel, Key };
    Kind kind = Move;
    QPoint at;         // Move, Click, ButtonUp; DragStart: where the button went down
    QPoint to;         // DragStart: where the pointer is now
    int clicks = 0;    // Click: 1 or 2
    int button = 0;    // 1 left, 2 right, 3 middle
    int modifiers = 0; // Shift 1, Ctrl 2, Alt 4
    int wheel = 0;     // Wheel: in notches of 120, positive away from the user
    int virtualKey = 0;
    int character = 0; // Key: a Windows-1252 byte, 0 for none
    bool extended = false;
};

// Nothing for another command or a malformed parameter.
std::optional<InputEvent> ParseInput(const QByteArray &code, const QByteArray &parameter);

bool IsInputCommand(const QByteArray &code);

// "SScM?w&h&d" (the depth may be missing): nothing when malformed or absurd.
struct ModeRequest {
    int width = 0;
    int height = 0;
    int depth = 0; // 0: keep the colour depth
};
std::optional<ModeRequest> ParseModeRequest(const QByteArray &parameter);

} // namespace qhost
