#pragma once
#include <QDialog>
#include <QTextBrowser>

class QLabel;
class QPushButton;

// A read-only scrolling text box that shows web addresses as links; a click on one opens it in
// the default browser. Only the http and https addresses it made itself are ever opened.
class TURLMemo : public QTextBrowser {
    Q_OBJECT
public:
    explicit TURLMemo(QWidget *parent = nullptr);
    void setMemoText(const QString &text);
    QString memoText() const { return PlainText; }

signals:
    void linkOpened(const QUrl &url);

private:
    void OpenLink(const QUrl &url);
    QString PlainText;
};

// The announcement window: an operational or a product announcement from the service, with its
// title, its text (links clickable) and "Close". 550 x 260, centred on the main window.
class TShowInfoMessagesForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int FormWidth = 550;
    static constexpr int FormHeight = 260;

    explicit TShowInfoMessagesForm(QWidget *mainWindow);

    // Fills the window and shows it (not modally).
    void ShowInfoMessage(bool product, const QString &title, const QString &text);
    bool isProduct() const { return Product; }
    TURLMemo *memo() const { return Memo; }

protected:
    void paintEvent(QPaintEvent *e) override;
    bool event(QEvent *e) override;

private:
    void ApplyTexts();

    QLabel *LblTitle;
    TURLMemo *Memo;
    QPushButton *BttnClose;
    bool Product = false;
};
