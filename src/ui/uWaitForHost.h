#pragma once
#include "ui/DialogFrame.h"

#include <QTimer>

class QLabel;
class QPushButton;

// The waiting window: the session key and the setup site for the remote user, shown until the
// remote user's host program joins. Borderless, on top, dragged by its surface; a small
// picture travels from the console's computer towards the remote one while it waits.
class TWaitForHostForm : public DialogFrame {
    Q_OBJECT
public:
    // Where the travelling picture starts, how far it moves each second and how many places
    // it takes before it starts again.
    static constexpr int TravelStart = 130;
    static constexpr int TravelStep = 40;
    static constexpr int TravelPlaces = 6;

    explicit TWaitForHostForm(QWidget *mainWindow = nullptr);

    // Shows the window for this key and short setup address; the client line shows the address
    // the gateway mails to, or nothing.
    void ShowWaiting(const QString &invitationKey, const QString &setupAddress,
                     const QString &clientAddress);
    void CloseWaiting();
    // Shows the window again with what it showed last (the remote computer rebooting, back
    // from the tray); nothing when it was never shown for this session.
    void ShowAgain();
    // Forgets the session's key: the next ShowAgain() shows nothing.
    void Forget();

    QString shownKey() const { return Key; }
    int travelX() const;
    void ApplyTexts();

signals:
    // "Cancel session": the operator ends the session.
    void cancelSession();

public slots:
    // Escape and the window manager's close leave it open: it holds the key and the link
    // until the remote user joins, the session ends or the tray takes it.
    void reject() override {}

protected:
    bool event(QEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    QString Key, SetupAddress, ClientAddress;
    QTimer TravelTimer;
    int Place = 0;

    QLabel *LblKeyTitle, *LblKey, *LblUrlTitle, *LblUrl, *LblClient;
    QWidget *Travel;
    QPushButton *BttnCancelSession;
};
