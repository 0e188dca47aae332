#pragma once
#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPainter;
class QPushButton;

// The yes/no question window shared by the main and the file transfer windows: borderless, on
// top, white, a red "Warning" head, the question and "Yes" / "No". The caller plays a warning
// sound if it wants one; both buttons click.
class TAskWarningForm : public QDialog {
    Q_OBJECT
public:
    explicit TAskWarningForm(QWidget *mainWindow = nullptr);

    void Prepare(const QString &question);
    // True only when "Yes" was pressed: "No", Escape or a close from elsewhere all answer no,
    // so a question that vanished never lets an overwrite or a disconnect through.
    bool Answer() const { return Yes; }

    // The letters that answer the question from the keyboard (alone or with Alt): the first
    // letter of each caption; when both start alike, "No" takes its next letter that differs.
    struct AnswerKeys {
        QChar Yes;
        QChar No;
    };
    static AnswerKeys KeysFor(const QString &yesCaption, const QString &noCaption);

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    QLabel *LblHead;
    QLabel *LblQuestion;
    QPushButton *BttnYes;
    QPushButton *BttnNo;
    AnswerKeys Keys;
    bool Yes = false;
};

// Asks modally, centred on `mainWindow` (or the screen); true for "Yes".
bool AskWarning(const QString &question, QWidget *mainWindow = nullptr);
// The warning windows' background (white, the warning sign's band on the left, a grey rim)
// over `rect`; the reboot question shares it.
void PaintWarningPanel(QPainter &painter, const QRect &rect);
// Whether a question is open now, and closing it (as "No"), for the main window's clean-up.
bool AskWarningVisible();
void CloseAskWarning();

// Tests answer questions without a person: the hook gets the question and returns the answer.
// Pass an empty function to restore the window.
using AskWarningHook = std::function<bool(const QString &question)>;
void SetAskWarningHook(AskWarningHook hook);
