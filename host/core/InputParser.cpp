#include "InputParser.h"
#include "screen/InputCommands.h"

#include <QList>

namespace qhost {
namespace {
std::optional<QList<int>> fields(const QByteArray &text, int count) {
    return InputCommands::ParseNumbers(text, count);
}

bool validButton(int b) {
    return b >= 1 && b <= 3;
}
} // namespace

bool IsInputCommand(const QByteArray &code) {
    return code == "MoMo" || code == "MsCl" || code == "StDr" || code == "MoUp" || code == "MWhl" ||
           code == "KbdP";
}

std::optional<InputEvent> ParseInput(const QByteArray &code, const QByteArray &parameter) {
    InputEvent e;
    if (code == "MoMo") {
        const auto n = fields(parameter, 2);
        if (!n)
            return std::nullopt;
        e.kind = InputEvent::Move;
        e.at = {(*n)[0], (*n)[1]};
    } else if (code == "MsCl") {
        const auto n = fields(parameter, 5);
        if (!n || (*n)[0] < 1 || (*n)[0] > 2 || !validButton((*n)[3]))
            return std::nullopt;
        e.kind = InputEvent::Click;
        e.clicks = (*n)[0];
        e.at = {(*n)[1], (*n)[2]};
        e.button = (*n)[3];
        e.modifiers = (*n)[4] & 7;
    } else if (code == "StDr") {
        const auto n = fields(parameter, 6);
        if (!n || !validButton((*n)[4]))
            return std::nullopt;
        e.kind = InputEvent::DragStart;
        e.at = {(*n)[0], (*n)[1]};
        e.to = {(*n)[2], (*n)[3]};
        e.button = (*n)[4];
        e.modifiers = (*n)[5] & 7;
    } else if (code == "MoUp") {
        const auto n = fields(parameter, 3);
        if (!n || !validButton((*n)[2]))
            return std::nullopt;
        e.kind = InputEvent::ButtonUp;
        e.at = {(*n)[0], (*n)[1]};
        e.button = (*n)[2];
    } else if (code == "MWhl") {
        // "sum/modifiers"
        const qsizetype slash = parameter.indexOf('/');
        const auto sum = fields(slash < 0 ? parameter : parameter.left(slash), 1);
        const auto mods = slash < 0 ? std::optional<QList<int>>(QList<int>{0})
                                    : fields(parameter.mid(slash + 1), 1);
        if (!sum || !mods)
            return std::nullopt;
        e.kind = InputEvent::Wheel;
        e.wheel = (*sum)[0];
        e.modifiers = (*mods)[0] & 7;
    } else if (code == "KbdP") {
        if (!parameter.startsWith('#'))
            return std::nullopt;
        const auto n = fields(parameter.mid(1), 3);
        if (!n || (*n)[0] < 0 || (*n)[0] > 255 || (*n)[1] < 0 || (*n)[1] > 255 || (*n)[2] < 0)
            return std::nullopt;
        e.kind = InputEvent::Key;
        e.virtualKey = (*n)[0];
        e.character = (*n)[1];
        e.modifiers = (*n)[2] & 7;
        e.extended = (*n)[2] & 64;
        if (e.virtualKey == 0 && e.character == 0)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    return e;
}

std::optional<ModeRequest> ParseModeRequest(const QByteArray &parameter) {
    const QList<QByteArray> parts = parameter.split('&');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    ModeRequest r;
    bool okW = false, okH = false, okD = true;
    r.width = parts[0].size() <= 5 ? parts[0].toInt(&okW) : 0;
    r.height = parts[1].size() <= 5 ? parts[1].toInt(&okH) : 0;
    if (parts.size() == 3)
        r.depth = parts[2].size() <= 2 ? parts[2].toInt(&okD) : -1;
    if (!okW || !okH || !okD || r.width <= 0 || r.height <= 0 || r.depth < 0)
        return std::nullopt;
    return r;
}

} // namespace qhost
