// The console in a session with the local gateway's simulated host, for screenshots of the
// input side:
//   input_gallery view-only [LANGUAGE]   the remote user's pointer, the host's pointer wandering
//   input_gallery typed [LANGUAGE]       text typed, a window dragged, a button clicked
//   input_gallery menu [LANGUAGE]        the Connection menu during a session (host keys)
//   input_gallery toolbar [LANGUAGE]     no session; the toolbar reached with F10 and an arrow
// LANGUAGE: en nl fr de it es pt ca (default en). Not a test: it runs until it is closed (or 60
// seconds pass).

#include "LocalGateway.h"
#include "TestSession.h"
#include "common/AdminVars.h"
#include "common/Cp1252.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "main/QuorvAdmin.h"
#include "screen/RemoteInput.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenView.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"
#include "ui/MainChrome.h"
#include "ui/MainMenus.h"
#include "ui/MainToolbar.h"
#include "ui/QVMessage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTimer>

using namespace localgw;

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("view-only");
    const QStringList codes = {"en", "nl", "fr", "de", "it", "es", "pt", "ca"};
    const int language = qMax(0, int(codes.indexOf(argc > 2 ? QString::fromLatin1(argv[2]) : "")));
    SetMessageWindowHook([](int, const QString &, int) { return int(mrOK); });

    GatewayConfig c;
    c.hostDelayMs = 100;
    c.pollHoldMs = 300;
    c.clockRunning = false;
    c.screenSize = {1024, 768};
    LocalGateway gw(c);
    QString error;
    if (!gw.start(&error))
        qFatal("%s", qPrintable(error));

    TQuorvAdminForm form;
    form.setClosingDelay(0);
    Settings &s = settings();
    s.UserCode = s.Password = QStringLiteral("demo");
    s.GCount = 3;
    s.ResTip = false;
    s.Scaling = 1;
    s.AppLang = quint8(language);
    SelectLanguage(quint8(language));
    BroadcastLanguageChange(); // the window was made in English
    serviceConfig().GatewayAddress = gw.gatewayAddress();
    serviceConfig().TrustedCertificates = gw.caPemPath();
    form.session()->GatewayUrl = serviceConfig().Domain;
    form.session()->setSettingsSaver([] {});
    form.setGeometry(40, 40, 1100, 840);
    form.show();
    form.activateWindow();
    if (mode == QLatin1String("toolbar")) {
        QTimer::singleShot(1500, &form, [&form] {
            form.chrome()->toolbar()->focusFirstButton();
            QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(QApplication::focusWidget(), &right);
        });
        QTimer::singleShot(60000, &app, &QCoreApplication::quit);
        return app.exec();
    }
    form.session()->WANconnect(false);

    RemoteInput *input = form.screenArea()->input();
    QTimer poll;
    poll.setInterval(200);
    bool started = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (started || !adminVars().HostLoggedOn || !form.screenArea()->view()->hasPicture())
            return;
        started = true;
        SimulatedHost &host = gw.latestSession()->host();
        if (mode == QLatin1String("menu")) {
            QMenu *menu = form.chrome()->menus()->menu(TMainMenus::MenuConnection);
            form.menuBar()->setActiveAction(menu->menuAction());
            return;
        }
        if (mode == QLatin1String("view-only")) {
            input->SetFullControl(false);
            host.setUserPointerWandering(true);
            return;
        }
        // Typing, a click on the host's button, and its window dragged to the left.
        const QString text = QStringLiteral("Grüße aus Köln: 5 € @ café!");
        for (QChar ch : text) {
            InputCommands::KeyInfo k;
            k.virtualKey = 0;
            input->HookKey(k, quint8(toCp1252(QString(ch)).at(0)), false);
        }
        const QRect controls = host.input().controlsFrame();
        const double f = form.screenArea()->view()->ScaleX();
        auto shown = [f](QPoint remote) {
            return QPoint(int(remote.x() * f) + 1, int(remote.y() * f) + 1);
        };
        input->pointerMoved(shown(host.input().buttonRect().center()));
        input->buttonDown(RemoteInput::Left, {});
        input->buttonUp(RemoteInput::Left);
        const QPoint title = shown(controls.topLeft() + QPoint(60, 10));
        input->pointerMoved(title);
        input->buttonDown(RemoteInput::Left, {});
        input->pointerMoved(title + QPoint(-40, 30));
        input->pointerMoved(title + QPoint(-80, 60));
        input->buttonUp(RemoteInput::Left);
        input->wheel(-240, {}, true);
    });
    poll.start();
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
