#pragma once
#include <QString>
#include <functional>

// The modal message window. The kind chooses the sound (0 warning, 1 error, 2 information);
// the buttons are a set; the result is the number of the button pressed.
namespace MsgButton {
enum : int {
    Yes = 1 << 0,
    No = 1 << 1,
    OK = 1 << 2,
    Cancel = 1 << 3,
    Close = 1 << 4,
    CancelSession = 1 << 6,
};
}
enum MsgResult : int { mrYes = 0, mrNo = 1, mrOK = 2, mrCancel = 3, mrClose = 4, mrCancelSession = 6 };
enum MsgKind : int { mkWarning = 0, mkError = 1, mkInformation = 2 };

int ShowMessageWindow(int kind, const QString &text, int buttons);

// Tests answer message windows without a person: the hook gets what would be shown and returns
// the button. Also records nothing else; pass an empty function to restore the window.
using MessageWindowHook = std::function<int(int kind, const QString &text, int buttons)>;
void SetMessageWindowHook(MessageWindowHook hook);
