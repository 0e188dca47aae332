// Shows one notification window on its own, for screenshots and for looking at translations:
//   notify_gallery WINDOW [LANGUAGE]
// WINDOW: message, message-long, message-info, flash, popup0, popup1, popup2, badconn,
// announce, announce-product, tips, ask. LANGUAGE: en nl fr de it es pt ca (default en).
// Not a test: it runs until it is closed (or 60 seconds pass).

#include "common/uLanguageMsg.h"
#include "settings/uIniFiles.h"
#include "ui/FlashInfo.h"
#include "ui/QVMessage.h"
#include "ui/uAskWarning.h"
#include "ui/uPopUp.h"
#include "ui/uShowBadConn.h"
#include "ui/uShowInfoMsg.h"
#include "ui/uTips.h"

#include "GalleryBackdrop.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: notify_gallery WINDOW [LANGUAGE]\n";
        return 2;
    }
    settings().Sound = false;
    SelectLanguage(quint8(galleryLanguage(args.value(2, QStringLiteral("en")))));
    const QString which = args.at(1);
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);

    QTimer::singleShot(0, &app, [which] {
        if (which == QLatin1String("message")) {
            ShowMessageWindow(mkWarning,
                              Msg("Connected to gateway") + QLatin1Char('\r') + Msg("Disconnect ?"),
                              MsgButton::Yes | MsgButton::No);
        } else if (which == QLatin1String("message-long")) {
            ShowMessageWindow(mkError,
                              Msg("An unexpected error occurred.\rWe are sorry for this "
                                  "inconvenience.\rAn error log has been created which "
                                  "may help us to trace the origin of the error."),
                              MsgButton::OK | MsgButton::Cancel | MsgButton::CancelSession);
        } else if (which == QLatin1String("message-info")) {
            ShowMessageWindow(mkInformation, Msg("Connection settings incomplete"), 0);
        } else if (which == QLatin1String("flash")) {
            ShowFlashInfo(QString(), Msg("Client logged on"), 60);
        } else if (which.startsWith(QLatin1String("popup"))) {
            ShowPopUp(which.mid(5).toInt(), 60000);
        } else if (which == QLatin1String("badconn")) {
            QMainWindow *main =
                galleryBackdrop(QRect(200, 120, 1000, 700),
                                QStringLiteral("Connection status : Connected to client"));
            auto *bad = new TShowBadConnForm(main);
            QTimer::singleShot(300, bad, &TShowBadConnForm::ShowBadConn);
        } else if (which.startsWith(QLatin1String("announce"))) {
            QMainWindow *main =
                galleryBackdrop(QRect(200, 120, 1000, 700),
                                QStringLiteral("Connection status : Connected to client"));
            auto *info = new TShowInfoMessagesForm(main);
            const bool product = which.endsWith(QLatin1String("product"));
            // Announcements arrive in the operator's language; the samples follow the gallery's.
            const bool german = CurrentLanguage() == 3;
            QTimer::singleShot(300, info, [info, product, german] {
                if (product)
                    info->ShowInfoMessage(
                        true,
                        german ? QStringLiteral("Quorvia 5 ist da")
                               : QStringLiteral("Quorvia 5 is here"),
                        german ? QStringLiteral(
                                     "Die neue Konsole zeichnet Sitzungen mit halb so viel Platz "
                                     "auf und überträgt ganze Ordner.\r\rNeuigkeiten unter "
                                     "https://www.quorvia.example/whatsnew, Upgrades bei Ihrem "
                                     "Kundenbetreuer (www.quorvia.example/shop).")
                               : QStringLiteral(
                                     "The new console records sessions in half the space and "
                                     "transfers whole folders.\r\rRead what is new at "
                                     "https://www.quorvia.example/whatsnew, or ask your account "
                                     "manager for an upgrade (www.quorvia.example/shop)."));
                else
                    info->ShowInfoMessage(
                        false,
                        german ? QStringLiteral("Geplante Wartung")
                               : QStringLiteral("Planned maintenance"),
                        german ? QStringLiteral(
                                     "Die Gateways werden am Sonntag zwischen 02:00 und 04:00 UTC "
                                     "aktualisiert. Laufende Sitzungen werden dann beendet.\r\r"
                                     "Den Zustand des Dienstes zeigt "
                                     "https://status.quorvia.example/.\rWir bitten um "
                                     "Verständnis.")
                               : QStringLiteral(
                                     "The gateways will be updated on Sunday between 02:00 and "
                                     "04:00 UTC. Sessions running then will be ended.\r\rThe "
                                     "status of the service is shown at "
                                     "https://status.quorvia.example/.\rWe apologise for the "
                                     "inconvenience."));
            });
        } else if (which == QLatin1String("tips")) {
            QMainWindow *main =
                galleryBackdrop(QRect(200, 120, 1000, 700),
                                QStringLiteral("Connection status : Connected to client"));
            QTimer::singleShot(300, main, [main] {
                ShowTip(main, Msg("SCREEN RESOLUTION SETTINGS"),
                        Msg("It is highly recommended to switch the remote screen resolution\rto "
                            "800x600 pixels to increase performance.\rThe original screen "
                            "resolution will automatically reset when\ra session ends.\r\rYou "
                            "can configure \"Connection Settings\" to automatically switch\rto "
                            "800x600 pixels each time a session starts."),
                        true);
            });
        } else if (which == QLatin1String("ask")) {
            QMainWindow *main =
                galleryBackdrop(QRect(200, 120, 1000, 700),
                                QStringLiteral("Connection status : Connected to client"));
            QTimer::singleShot(300, main,
                               [main] { AskWarning(Msg("File already exists\rproceed ?"), main); });
        } else {
            QTextStream(stderr) << "unknown window " << which << "\n";
            QCoreApplication::exit(2);
        }
    });
    return app.exec();
}
