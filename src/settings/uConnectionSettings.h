#pragma once
#include "settings/ConnectionSettingsCore.h"
#include "settings/uFindProxyForUrl.h"
#include "ui/DialogFrame.h"

#include <QFutureWatcher>
#include <QUrl>

#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The connection settings dialog: the operator's gateway account and the proxy settings, with
// proxy discovery, a proxy test and the password-reset page. It works on copies; the caller
// stores them after "Save" (accepted()).
class TConnectionSettingsForm : public DialogFrame {
    Q_OBJECT
public:
    // What the dialog reaches outside itself; tests replace any of them.
    struct Services {
        // The domain of the logged-on user (OwnerDomain of the platform layer).
        std::function<QString()> ownerDomain;
        // Discovery for "Auto detect proxy", run on a worker with a request taken on the main
        // thread (ManProxy false); an empty host for none. The cached discovery is forgotten
        // before, so it runs afresh.
        std::function<EffectiveProxyState(const ProxyRequest &request)> detectProxy;
        // The update server's version file that "Test proxy" fetches.
        std::function<QByteArray()> versionFileUrl;
        // Opens a web page in the desktop's browser.
        std::function<void(const QUrl &url)> openUrl;
    };
    static Services DefaultServices();

    explicit TConnectionSettingsForm(QWidget *parent = nullptr,
                                     Services services = DefaultServices());
    ~TConnectionSettingsForm() override;

    // FormShow: texts, domain, fields from the copies, the enable rule.
    void Prepare(const ConnectionValues &values, const QString &gatewayScheme);
    // The copies as "Save" took them.
    ConnectionValues values() const { return Values; }
    bool cancelled() const { return Cancelled; }
    QString ownerDomain() const { return OwnerDomainText; }
    bool testRunning() const;
    bool detecting() const { return Detecting; }
    ProxyCheck *proxyCheck() const { return Check; }

    void BtnSaveClick();
    void BtnCloseClick();
    void BttnAutoDetectClick();
    void BttnTestProxyClick();
    void BttnResetPasswordClick();
    void ApplyTexts();

public slots:
    void reject() override; // Escape: as "Cancel"

protected:
    bool event(QEvent *e) override;

private:
    void UpdateEnabled();
    void CheckProxyDone(bool ok, const QString &userName);
    // A test still running ends without a result.
    void StopCheck();
    void setBusy(bool busy);

    Services Svc;
    ConnectionValues Values;
    QString Scheme;
    QString OwnerDomainText;
    bool Cancelled = true;
    ProxyCheck *Check = nullptr;
    QFutureWatcher<EffectiveProxyState> DetectWatcher;
    int BusyCount = 0;
    bool Detecting = false;

    QGroupBox *BoxAccount, *BoxProxy, *BoxManSet, *BoxProxyAuth;
    QLabel *LblUserCode, *LblPassword, *LblResetInfo;
    QLineEdit *EditUserCode, *EditPassword;
    QPushButton *BttnResetPassword;
    QRadioButton *RBAutoDetect, *RBManualSet;
    QLabel *LblProxyName, *LblProxyPort, *LblDom, *LblDomain;
    QLineEdit *EditProxyName, *EditProxyPort;
    QPushButton *BttnAutoDetect, *BttnTestProxy;
    QLabel *LblProxyUserCode, *LblProxyPassword;
    QLineEdit *EditProxyUserCode, *EditProxyPassWord;
    QPushButton *BtnSave, *BtnClose;
};
