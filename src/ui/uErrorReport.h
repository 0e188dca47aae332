#pragma once
#include "settings/uFindProxyForUrl.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class ErrorReportSender;

// The error report window, opened by the handler of unexpected errors: it explains what
// happened, takes the operator's comment and sends the trace ring with it (and the session key
// when the operator allows to be contacted) to the service's error report page. While it is
// open the trace ring takes no new lines, so the report does not record itself.
class TErrorReportForm : public QDialog {
    Q_OBJECT
public:
    // `proxy` and `sessionKey` as the handler hands them over.
    TErrorReportForm(const EffectiveProxyState &proxy, const QString &sessionKey,
                     QWidget *parent = nullptr);
    ~TErrorReportForm() override;

    // The address the report would be sent to now.
    QByteArray ReportAddress() const;

public slots:
    void SendErrorReport();

protected:
    void showEvent(QShowEvent *e) override;
    void done(int result) override;

private:
    void LayOut();
    void Sent(bool delivered, const QString &tlsFailure);

    EffectiveProxyState Proxy;
    QString SessionKey;
    QLabel *LblInfo;
    QCheckBox *ChkContact;
    QLabel *LblComment;
    QPlainTextEdit *MemoComment;
    QPushButton *BttnSend;
    QPushButton *BttnCancel;
    ErrorReportSender *Sender;
};

// Opens the window modally, with effectiveProxy() and the current session key; a second call
// while one is open does nothing.
void ShowErrorReport(QWidget *parent = nullptr);

// Tests see that the report would be offered instead of a window opening. Pass an empty
// function to restore the window.
using ErrorReportHook = std::function<void()>;
void SetErrorReportHook(ErrorReportHook hook);
