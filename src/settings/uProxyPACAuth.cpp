#include "settings/uProxyPACAuth.h"

#include "common/uLanguageMsg.h"
#include "ui/BorderlessWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
ProxyPACAuthHook &hook() {
    static ProxyPACAuthHook h;
    return h;
}

struct Answer {
    QString user, password;
};
// By scheme, host and port of the script server; main thread only.
QHash<QString, Answer> &kept() {
    static QHash<QString, Answer> answers;
    return answers;
}

QString serverOf(const QUrl &url) {
    return url.scheme().toLower() + QStringLiteral("://") + url.host().toLower() +
           QLatin1Char(':') +
           QString::number(url.port(url.scheme() == QLatin1String("https") ? 443 : 80));
}
} // namespace

TProxyPACAuthForm::TProxyPACAuthForm(QWidget *parent) : DialogFrame(parent, true) {
    setObjectName(QStringLiteral("ProxyPACAuthForm"));
    setModal(true);
    LblServer = new QLabel(this);
    LblServer->setObjectName(QStringLiteral("LblServer"));
    LblServer->setTextFormat(Qt::PlainText);
    LblServer->setWordWrap(true);
    LblServer->setFixedWidth(320);
    bodyLayout()->addWidget(LblServer);
    auto *grid = new QGridLayout;
    LblUserCode = new QLabel(this);
    LblPassword = new QLabel(this);
    EditUserCode = new QLineEdit(this);
    EditUserCode->setObjectName(QStringLiteral("EditUserCode"));
    EditPassword = new QLineEdit(this);
    EditPassword->setObjectName(QStringLiteral("EditPassword"));
    EditPassword->setEchoMode(QLineEdit::Password);
    grid->addWidget(LblUserCode, 0, 0);
    grid->addWidget(EditUserCode, 0, 1);
    grid->addWidget(LblPassword, 1, 0);
    grid->addWidget(EditPassword, 1, 1);
    bodyLayout()->addLayout(grid);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    BttnOK = new QPushButton(this);
    BttnOK->setObjectName(QStringLiteral("BttnOK"));
    BttnOK->setDefault(true);
    BttnCancel = new QPushButton(this);
    BttnCancel->setObjectName(QStringLiteral("BttnCancel"));
    BttnCancel->setAutoDefault(false);
    for (QPushButton *b : {BttnOK, BttnCancel}) {
        PlayClickOnClick(b);
        bottom->addWidget(b);
    }
    bodyLayout()->addLayout(bottom);
    connect(BttnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BttnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TProxyPACAuthForm::Prepare(const QUrl &scriptUrl) {
    setHeaderText(Msg("Proxy script access authentication"));
    LblServer->setText(
        scriptUrl.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment)
            .toDisplayString());
    LblUserCode->setText(Msg("Username :"));
    LblPassword->setText(Msg("Password :"));
    BttnOK->setText(Msg("OK"));
    BttnCancel->setText(Msg("Cancel"));
    EditUserCode->clear();
    EditPassword->clear();
    EditUserCode->setFocus();
}

QString TProxyPACAuthForm::userName() const {
    return EditUserCode->text();
}

QString TProxyPACAuthForm::password() const {
    return EditPassword->text();
}

void SetProxyPACAuthHook(ProxyPACAuthHook h) {
    hook() = std::move(h);
}

void ForgetProxyScriptCredentials() {
    kept().clear();
}

bool ProxyInfoAuthentication(const QUrl &url, QString &user, QString &password) {
    const QString server = serverOf(url);
    // A first refusal of the server comes with no credentials tried yet: the kept answer is
    // offered without asking. When the kept answer itself was refused, the operator is asked.
    if (const auto it = kept().constFind(server); it != kept().constEnd()) {
        const bool keptWasTried = user == it->user && password == it->password;
        if (!keptWasTried) {
            user = it->user;
            password = it->password;
            return true;
        }
        kept().remove(server);
    }
    QString newUser, newPassword;
    bool given = false;
    if (hook()) {
        given = hook()(url, newUser, newPassword);
    } else {
        TProxyPACAuthForm form(QApplication::activeWindow());
        form.Prepare(url);
        form.centreOver(QApplication::activeWindow());
        given = form.exec() == QDialog::Accepted;
        newUser = form.userName();
        newPassword = form.password();
    }
    if (!given)
        return false;
    user = newUser;
    password = newPassword;
    kept().insert(server, Answer{newUser, newPassword});
    return true;
}
