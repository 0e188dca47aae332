#pragma once
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

// The question whether to upgrade, in two variants: required (the gateway refused the logon
// until the console is updated: "Warning", "Yes" / "Close") and optional (the logon reply
// announced another version: "Info", "Yes" / "No"). Borderless, on top, with the picture
// "rcUpgrade_bmp"; both buttons click.
class TUpgradeForm : public QDialog {
    Q_OBJECT
public:
    explicit TUpgradeForm(QWidget *mainWindow = nullptr);

    void Prepare(bool required);
    // True only for "Yes": the other button, Escape and a close from elsewhere decline.
    bool Answer() const { return Yes; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QLabel *LblHead;
    QLabel *LblText;
    QPushButton *BttnYes;
    QPushButton *BttnNo;
    bool Yes = false;
};

// Shows the question modally, centred on `mainWindow`; true when the operator chose "Yes".
bool AskUpgrade(bool required, QWidget *mainWindow = nullptr);

// Tests answer without a person: the hook gets the variant and returns the answer. Pass an
// empty function to restore the window.
using AskUpgradeHook = std::function<bool(bool required)>;
void SetAskUpgradeHook(AskUpgradeHook hook);
