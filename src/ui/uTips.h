#pragma once
#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The tip window: advice with a title and a text, optionally offering "Never ask me again".
// 400 x 250, modal, centred on the main window; "Close" has the focus.
class TTipsForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int FormWidth = 400;
    static constexpr int FormHeight = 250;

    explicit TTipsForm(QWidget *mainWindow = nullptr);

    // Fills the window; the box starts unchecked and shows only when offered.
    void Prepare(const QString &title, const QString &text, bool offerNeverAsk);
    bool neverAskChecked() const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QLabel *LblTitle;
    QPlainTextEdit *MemoTip;
    QCheckBox *ChkNeverAsk;
    QPushButton *BttnClose;
    bool Offered = false;
};

// Shows the tip window modally; true when the operator checked "Never ask me again".
bool ShowTip(QWidget *mainWindow, const QString &title, const QString &text, bool offerNeverAsk);

// Tests answer tip windows without a person: the hook gets what would be shown and returns the
// box's state. Pass an empty function to restore the window.
using TipsWindowHook =
    std::function<bool(const QString &title, const QString &text, bool offerNeverAsk)>;
void SetTipsWindowHook(TipsWindowHook hook);
