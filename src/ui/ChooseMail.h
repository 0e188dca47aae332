#pragma once
#include "ui/DialogFrame.h"

#include <QPixmap>
#include <QTimer>
#include <functional>

class Invitation;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QUrl;

// The invitation window: how the remote user gets the session key and the setup instructions
// (the gateway's mail, the operator's own mail program, the clipboard), in the remote user's
// language. Shown without blocking and on top; it closes with one choice, carries it out and
// reports it with `finished`, after which the main window shows the waiting window.
class TChooseMailForm : public DialogFrame {
    Q_OBJECT
public:
    enum Choice { NoChoice, GatewayMail, OwnMailProgram, Clipboard, EndSession };
    Q_ENUM(Choice)

    explicit TChooseMailForm(Invitation *invitation, QWidget *mainWindow = nullptr);

    // Opens the window, centred over `centreOn`, for the session key with its gateway number
    // (CurrentKey + GatewayNumber), the operator's name and the stored instruction language
    // (MILang; above 7 counts as 0).
    void Open(const QString &keyWithGateway, const QString &operatorName, int miLang,
              QWidget *centreOn = nullptr);
    // Another language: the key's last part, the selection, the status bar and the link.
    void UpdateInfo(int language);

    int language() const { return Language; }
    QString invitationKey() const { return ShownKey; }
    QString setupLink() const { return SetupLink; }
    // The text the closing hands over (also the clipboard's text).
    QString invitationText() const;
    QUrl mailtoAddress() const;

    // Where the saved addresses live ("MailAdresses/mAddr.dat").
    void setMailListPath(const QString &path) { MailListPath = path; }
    // How the own mail program is started; the desktop's handler for mailto: by default.
    void setMailOpener(std::function<bool(const QUrl &)> opener) { OpenMail = std::move(opener); }

    void BttnSendMailClick();
    void BttnOwnMailClick();
    void BttnClipboardClick();
    void BttnCancelSessionClick();
    void BttnCloseClick();
    void ApplyTexts();

signals:
    // The status bar shows "Session Key: " and this.
    void invitationKeyChanged(const QString &invitationKey);
    // The window closed: the key and short setup address for the waiting window, and the
    // address the gateway mails to (empty for the other choices).
    void finished(TChooseMailForm::Choice choice, const QString &invitationKey,
                  const QString &clientAddress);

public slots:
    void reject() override; // Escape: as "Close form"

protected:
    bool event(QEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void CloseWith(Choice choice);
    // The language, the address and its saving, for the next opening.
    void keepChoices();
    void LanguageBoxChange(int index);
    void nextGlobe();

    Invitation *Invite;
    QString MailListPath;
    std::function<bool(const QUrl &)> OpenMail;
    QString BaseKey; // CurrentKey + gateway number
    QString ShownKey;
    QString SetupLink;
    QString OperatorName;
    int Language = 0;
    bool Filling = false;
    bool Closing = false;
    QTimer GlobeTimer;
    int GlobeFrame = 0; // 1..9 while it turns
    QList<QPixmap> Globe;

    QLabel *ImgGlobe, *LblLanguage, *LblKey, *LblSetupUrl;
    QComboBox *LanguageBox;
    QGroupBox *BoxGatewayMail, *BoxOwnMail, *BoxClipboard;
    QLabel *LblGatewayMail, *LblOwnMail, *LblClipboard;
    QComboBox *AddressBox;
    QCheckBox *ChkSaveAddress;
    QPushButton *BttnSendMail, *BttnOwnMail, *BttnClipboard, *BttnClose, *BttnCancelSession;
};
