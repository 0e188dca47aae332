#pragma once
#include "ui/DialogFrame.h"

#include <QUrl>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the user name and password of a proxy script server that answered 401. Both fields
// are empty each time the dialog is shown.
class TProxyPACAuthForm : public DialogFrame {
    Q_OBJECT
public:
    explicit TProxyPACAuthForm(QWidget *parent = nullptr);

    void Prepare(const QUrl &scriptUrl);
    QString userName() const;
    QString password() const;

private:
    QLabel *LblServer, *LblUserCode, *LblPassword;
    QLineEdit *EditUserCode, *EditPassword;
    QPushButton *BttnOK, *BttnCancel;
};

// What discovery calls on the main thread when a script server wants credentials (the
// console's SetProxyCredentialsPrompt). The operator is asked once per run and server: the
// answer is kept in memory for the run and offered again at the next discovery; only when the
// server refuses it is the operator asked again. Nothing of it is traced, logged or stored.
// True with user and password filled in; false when the operator cancels.
bool ProxyInfoAuthentication(const QUrl &url, QString &user, QString &password);
// Forgets the kept answers (tests).
void ForgetProxyScriptCredentials();

// Tests answer the dialog without a person: the hook gets the script address and returns the
// operator's answer. Pass an empty function to show the dialog again.
using ProxyPACAuthHook = std::function<bool(const QUrl &url, QString &user, QString &password)>;
void SetProxyPACAuthHook(ProxyPACAuthHook hook);
