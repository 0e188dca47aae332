#pragma once
#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;

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
enum MsgResult : int {
    mrYes = 0,
    mrNo = 1,
    mrOK = 2,
    mrCancel = 3,
    mrClose = 4,
    mrCancelSession = 6
};
enum MsgKind : int { mkWarning = 0, mkError = 1, mkInformation = 2 };

// Shows the window modally (its sound plays as it opens) and returns the button pressed. An
// empty set of buttons shows "Close".
int ShowMessageWindow(int kind, const QString &text, int buttons);

// Tests answer message windows without a person: the hook gets what would be shown and returns
// the button; no window opens and no sound plays. Pass an empty function to restore the window.
using MessageWindowHook = std::function<int(int kind, const QString &text, int buttons)>;
void SetMessageWindowHook(MessageWindowHook hook);

// The window itself. Its buttons are named "BttnYes", "BttnNo", "BttnOK", "BttnCancel",
// "BttnClose" and "BttnCancelSession"; the title and text labels "LblTitle" and "LblText".
class TQVMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TQVMessageForm(QWidget *parent = nullptr);

    // Takes the texts from the catalog, builds the buttons and lays the window out.
    void Prepare(int kind, const QString &text, int buttons);
    int Result() const { return ButtonResult; }
    int Kind() const { return MessageKind; }

public slots:
    // Escape: the first of Cancel, No, Close and OK that is on offer; a window offering none of
    // them stays open, since every other button starts something.
    void reject() override;

protected:
    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void ButtonClick(int result);

    QLabel *LblTitle;
    QLabel *LblText;
    QList<QPushButton *> Buttons;
    int ButtonResult = mrClose;
    int MessageKind = mkWarning;
};
