#include "settings/uConnectionSettings.h"

#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/UrlsAdmin.h"
#include "platform/OwnerDomain.h"
#include "settings/ServiceConfig.h"
#include "ui/BorderlessWindow.h"
#include "ui/FlashInfo.h"
#include "ui/QVMessage.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace {
constexpr int FieldWidth = 190;

QLabel *wrappedLabel(QWidget *parent, const char *name) {
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    return l;
}

QLineEdit *field(QWidget *parent, const char *name, bool masked = false) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setFixedWidth(FieldWidth);
    if (masked)
        e->setEchoMode(QLineEdit::Password);
    return e;
}

} // namespace

TConnectionSettingsForm::Services TConnectionSettingsForm::DefaultServices() {
    Services s;
    s.ownerDomain = [] { return OwnerDomain(SystemOwnerDomainSources()); };
    // What the dialog finds is only shown: the proxy in use changes when the operator saves.
    s.detectProxy = [](const ProxyRequest &request) { return DiscoverProxy(request); };
    s.versionFileUrl = [] { return serviceUrls().VersionFile.toUtf8(); };
    s.openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    return s;
}

TConnectionSettingsForm::TConnectionSettingsForm(QWidget *parent, Services services)
    : DialogFrame(parent), Svc(std::move(services)) {
    setObjectName(QStringLiteral("ConnectionSettingsForm"));
    setModal(true);
    Check = new ProxyCheck(this);
    connect(Check, &ProxyCheck::finished, this, &TConnectionSettingsForm::CheckProxyDone);

    // Registered user account
    BoxAccount = new QGroupBox(this);
    BoxAccount->setObjectName(QStringLiteral("BoxAccount"));
    auto *account = new QGridLayout(BoxAccount);
    account->setHorizontalSpacing(8);
    LblUserCode = wrappedLabel(BoxAccount, "LblUserCode");
    LblPassword = wrappedLabel(BoxAccount, "LblPassword");
    EditUserCode = field(BoxAccount, "EditUserCode");
    EditPassword = field(BoxAccount, "EditPassword", true);
    LblResetInfo = wrappedLabel(BoxAccount, "LblResetInfo");
    LblResetInfo->setMinimumWidth(150);
    BttnResetPassword = DialogFrame::button(BoxAccount, "BttnResetPassword");
    account->addWidget(LblUserCode, 0, 0);
    account->addWidget(EditUserCode, 0, 1);
    account->addWidget(LblPassword, 1, 0);
    account->addWidget(EditPassword, 1, 1);
    account->addWidget(LblResetInfo, 0, 2, 2, 1, Qt::AlignTop);
    account->addWidget(BttnResetPassword, 2, 2, Qt::AlignLeft);
    account->setColumnStretch(2, 1);
    bodyLayout()->addWidget(BoxAccount);

    // Proxy server settings
    BoxProxy = new QGroupBox(this);
    BoxProxy->setObjectName(QStringLiteral("BoxProxy"));
    auto *proxy = new QVBoxLayout(BoxProxy);
    RBAutoDetect = new QRadioButton(BoxProxy);
    RBAutoDetect->setObjectName(QStringLiteral("RBAutoDetect"));
    RBManualSet = new QRadioButton(BoxProxy);
    RBManualSet->setObjectName(QStringLiteral("RBManualSet"));
    proxy->addWidget(RBAutoDetect);
    proxy->addWidget(RBManualSet);
    BoxManSet = new QGroupBox(BoxProxy);
    BoxManSet->setObjectName(QStringLiteral("BoxManSet"));
    auto *manual = new QGridLayout(BoxManSet);
    manual->setHorizontalSpacing(8);
    LblProxyName = wrappedLabel(BoxManSet, "LblProxyName");
    LblProxyPort = wrappedLabel(BoxManSet, "LblProxyPort");
    LblDom = wrappedLabel(BoxManSet, "LblDom");
    LblDomain = wrappedLabel(BoxManSet, "LblDomain");
    EditProxyName = field(BoxManSet, "EditProxyName");
    EditProxyPort = field(BoxManSet, "EditProxyPort");
    EditProxyPort->setFixedWidth(80);
    EditProxyPort->setMaxLength(12);
    BttnAutoDetect = DialogFrame::button(BoxManSet, "BttnAutoDetect");
    BttnTestProxy = DialogFrame::button(BoxManSet, "BttnTestProxy");
    manual->addWidget(LblProxyName, 0, 0);
    manual->addWidget(EditProxyName, 0, 1);
    manual->addWidget(LblProxyPort, 1, 0);
    manual->addWidget(EditProxyPort, 1, 1, Qt::AlignLeft);
    manual->addWidget(LblDom, 2, 0);
    manual->addWidget(LblDomain, 2, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(BttnAutoDetect);
    buttons->addWidget(BttnTestProxy);
    buttons->addStretch();
    manual->addLayout(buttons, 0, 2, 3, 1);
    manual->setColumnStretch(2, 1);
    proxy->addWidget(BoxManSet);
    bodyLayout()->addWidget(BoxProxy);

    // Proxy server authentication
    BoxProxyAuth = new QGroupBox(this);
    BoxProxyAuth->setObjectName(QStringLiteral("BoxProxyAuth"));
    auto *auth = new QGridLayout(BoxProxyAuth);
    auth->setHorizontalSpacing(8);
    LblProxyUserCode = wrappedLabel(BoxProxyAuth, "LblProxyUserCode");
    LblProxyPassword = wrappedLabel(BoxProxyAuth, "LblProxyPassword");
    EditProxyUserCode = field(BoxProxyAuth, "EditProxyUserCode");
    EditProxyPassWord = field(BoxProxyAuth, "EditProxyPassWord", true);
    auth->addWidget(LblProxyUserCode, 0, 0);
    auth->addWidget(EditProxyUserCode, 0, 1);
    auth->addWidget(LblProxyPassword, 1, 0);
    auth->addWidget(EditProxyPassWord, 1, 1);
    auth->setColumnStretch(2, 1);
    bodyLayout()->addWidget(BoxProxyAuth);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    BtnSave = DialogFrame::button(this, "BtnSave");
    BtnClose = DialogFrame::button(this, "BtnClose");
    BtnSave->setDefault(true);
    bottom->addWidget(BtnSave);
    bottom->addWidget(BtnClose);
    bodyLayout()->addLayout(bottom);

    // The labels of one section share a column, so their fields line up across sections.
    for (QLabel *l : {LblUserCode, LblPassword, LblProxyName, LblProxyPort, LblDom,
                      LblProxyUserCode, LblProxyPassword})
        l->setFixedWidth(118);

    connect(RBAutoDetect, &QRadioButton::toggled, this, &TConnectionSettingsForm::UpdateEnabled);
    connect(RBManualSet, &QRadioButton::toggled, this, &TConnectionSettingsForm::UpdateEnabled);
    connect(BtnSave, &QPushButton::clicked, this, &TConnectionSettingsForm::BtnSaveClick);
    connect(BtnClose, &QPushButton::clicked, this, &TConnectionSettingsForm::BtnCloseClick);
    connect(BttnAutoDetect, &QPushButton::clicked, this,
            &TConnectionSettingsForm::BttnAutoDetectClick);
    connect(BttnTestProxy, &QPushButton::clicked, this,
            &TConnectionSettingsForm::BttnTestProxyClick);
    connect(BttnResetPassword, &QPushButton::clicked, this,
            &TConnectionSettingsForm::BttnResetPasswordClick);
    connect(&DetectWatcher, &QFutureWatcher<EffectiveProxyState>::finished, this, [this] {
        Detecting = false;
        setBusy(false);
        BttnAutoDetect->setEnabled(true);
        const EffectiveProxyState found = DetectWatcher.result();
        if (found.EffectiveProxyHost.isEmpty())
            ShowFlashInfo(Msg("Info"), Msg("No proxy detected"), 2);
        EditProxyName->setText(found.EffectiveProxyHost);
        const int port = found.EffectiveProxyPort > 0 ? found.EffectiveProxyPort : 8080;
        EditProxyPort->setText(QString::number(port));
    });
    registerLanguageListener(this);
    ApplyTexts();
}

TConnectionSettingsForm::~TConnectionSettingsForm() {
    // A discovery still running finishes on its worker; its result is dropped.
    DetectWatcher.disconnect(this);
    Check->disconnect(this);
    Check->cancel();
    while (BusyCount > 0)
        setBusy(false);
}

void TConnectionSettingsForm::ApplyTexts() {
    setHeaderText(Msg("CONNECTION SETTINGS"));
    BoxAccount->setTitle(Msg("Registered user account"));
    BoxProxy->setTitle(Msg("Proxy server settings"));
    BoxProxyAuth->setTitle(Msg("Proxy server authentication"));
    BoxManSet->setTitle(Msg("Manual Proxy settings"));
    LblUserCode->setText(Msg("Username :"));
    LblPassword->setText(Msg("Password :"));
    LblProxyUserCode->setText(Msg("Username :"));
    LblProxyPassword->setText(Msg("Password :"));
    // The catalog breaks this text for a narrow label; the label wraps it itself.
    LblResetInfo->setText(
        ToDisplayLines(Msg("If you forgot your password,\r\nYou can reset it here."))
            .replace(QLatin1Char('\n'), QLatin1Char(' ')));
    BttnResetPassword->setText(Msg("Reset password"));
    RBAutoDetect->setText(Msg("Use default browser settings"));
    RBManualSet->setText(Msg("Manual Proxy settings"));
    LblProxyName->setText(Msg("Proxy name :"));
    LblProxyPort->setText(Msg("Proxy port :"));
    LblDom->setText(Msg("Domain :"));
    BttnAutoDetect->setText(Msg("Auto detect proxy"));
    BttnTestProxy->setText(Msg("Test proxy"));
    BtnSave->setText(Msg("Save"));
    BtnClose->setText(Msg("Cancel"));
}

bool TConnectionSettingsForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        ApplyTexts();
        return true;
    }
    return DialogFrame::event(e);
}

void TConnectionSettingsForm::Prepare(const ConnectionValues &values,
                                      const QString &gatewayScheme) {
    ApplyTexts();
    Cancelled = true;
    Values = values;
    Scheme = gatewayScheme;
    OwnerDomainText = Svc.ownerDomain ? Svc.ownerDomain() : QString();
    LblDomain->setText(OwnerDomainText);
    EditUserCode->setText(values.UserCode);
    EditPassword->setText(values.Password);
    EditProxyName->setText(values.ProxyName);
    // 0 is "no port": the field stays empty rather than offering a port that cannot be saved.
    EditProxyPort->setText(values.ProxyPort > 0 ? QString::number(values.ProxyPort) : QString());
    EditProxyUserCode->setText(values.ProxyUserCode);
    EditProxyPassWord->setText(values.ProxyPassword);
    (values.ManProxy ? RBManualSet : RBAutoDetect)->setChecked(true);
    UpdateEnabled();
    EditUserCode->setFocus();
}

void TConnectionSettingsForm::UpdateEnabled() {
    // Disabled fields keep their values, and "Save" stores them.
    const bool manual = RBManualSet->isChecked();
    BoxManSet->setEnabled(manual);
    const QList<QWidget *> authFields = {LblProxyUserCode, LblProxyPassword, EditProxyUserCode,
                                         EditProxyPassWord};
    for (QWidget *w : authFields)
        w->setEnabled(manual);
}

void TConnectionSettingsForm::BtnSaveClick() {
    ConnectionValues v;
    v.UserCode = EditUserCode->text();
    v.Password = EditPassword->text();
    v.ManProxy = RBManualSet->isChecked();
    v.ProxyName = EditProxyName->text();
    v.ProxyUserCode = EditProxyUserCode->text();
    v.ProxyPassword = EditProxyPassWord->text();
    const std::optional<int> port = ProxyPortToSave(EditProxyPort->text(), v.ProxyName);
    if (!port) {
        ShowMessageWindow(mkError, Msg("Proxy port out of range"), MsgButton::OK);
        return;
    }
    v.ProxyPort = *port;
    Values = v;
    Cancelled = false;
    StopCheck();
    accept();
}

void TConnectionSettingsForm::BtnCloseClick() {
    Cancelled = true;
    StopCheck();
    QDialog::reject();
}

void TConnectionSettingsForm::reject() {
    BtnCloseClick();
}

void TConnectionSettingsForm::BttnAutoDetectClick() {
    if (Detecting || !Svc.detectProxy)
        return;
    // The operator asks because something changed: what an earlier discovery found is not
    // taken as the answer.
    InvalidateProxyCache();
    ProxyRequest request;
    request.Scheme = Scheme.isEmpty() ? QStringLiteral("https") : Scheme.toLower();
    request.TargetHost = serviceConfig().host(serviceConfig().WebHost);
    request.ManProxy = false;
    Detecting = true;
    setBusy(true);
    BttnAutoDetect->setEnabled(false);
    DetectWatcher.setFuture(
        QtConcurrent::run([detect = Svc.detectProxy, request] { return detect(request); }));
}

void TConnectionSettingsForm::BttnTestProxyClick() {
    if (Check->running())
        return;
    const int port = ProxyPortToTest(EditProxyPort->text());
    const QString host = EditProxyName->text().trimmed();
    // A number beyond the port range would wrap to another port.
    if (host.isEmpty() || port <= 0 || port > 65535) {
        ShowMessageWindow(mkError, Msg("No or incorrect proxy settings entered"), MsgButton::OK);
        return;
    }
    InvalidateProxyCache();
    ProxyCheck::Request request;
    request.proxyHost = host;
    request.proxyPort = quint16(port);
    request.userNames = UserNameForms(OwnerDomainText, EditProxyUserCode->text());
    request.password = EditProxyPassWord->text();
    request.url = Svc.versionFileUrl ? Svc.versionFileUrl() : QByteArray();
    setBusy(true);
    BttnTestProxy->setEnabled(false);
    Check->start(request);
}

void TConnectionSettingsForm::StopCheck() {
    if (!Check->running())
        return;
    Check->cancel();
    setBusy(false);
    BttnTestProxy->setEnabled(true);
}

bool TConnectionSettingsForm::testRunning() const {
    return Check->running();
}

void TConnectionSettingsForm::CheckProxyDone(bool ok, const QString &userName) {
    setBusy(false);
    BttnTestProxy->setEnabled(true);
    if (ok) {
        EditProxyUserCode->setText(userName);
        ShowMessageWindow(mkInformation, Msg("Proxy settings OK"), MsgButton::OK);
    } else {
        QString why;
        switch (Check->failure()) {
        case ProxyCheck::Failure::ProxyRefused:
            why = Msg("The proxy could not be reached or refused the connection.");
            break;
        case ProxyCheck::Failure::WrongPassword:
            why = Msg("The proxy refused the user name or the password.");
            break;
        case ProxyCheck::Failure::NoAnswer:
            why = Msg("No answer through the proxy in time.");
            break;
        default:
            break;
        }
        ShowMessageWindow(mkError,
                          why.isEmpty() ? Msg("Proxy settings failed")
                                        : Msg("Proxy settings failed") + QLatin1Char('\r') + why,
                          MsgButton::OK);
    }
}

void TConnectionSettingsForm::BttnResetPasswordClick() {
    if (Svc.openUrl)
        Svc.openUrl(QUrl(serviceUrls().AccountSite + QStringLiteral("/reset.aspx")));
}

void TConnectionSettingsForm::setBusy(bool busy) {
    if (busy) {
        ++BusyCount;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (BusyCount > 0) {
        --BusyCount;
        QApplication::restoreOverrideCursor();
    }
}
