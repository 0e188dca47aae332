// Shows one settings or invitation window on its own, with sample data, for screenshots and for
// looking at translations:
//   dialogs_gallery WINDOW [LANGUAGE]
// WINDOW: connection, application, pacauth, choosemail, waitforhost. LANGUAGE: en nl fr de it
// es pt ca (default en). Not a test: it runs until it is closed (or 60 seconds pass).

#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "screen/ScreenModes.h"
#include "settings/uApplicationSettings.h"
#include "settings/uConnectionSettings.h"
#include "settings/uIniFiles.h"
#include "settings/uProxyPACAuth.h"
#include "ui/ChooseMail.h"
#include "ui/Invitation.h"
#include "ui/uWaitForHost.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>

namespace {
int languageNumber(const QString &code) {
    const QStringList codes = {QStringLiteral("en"), QStringLiteral("nl"), QStringLiteral("fr"),
                               QStringLiteral("de"), QStringLiteral("it"), QStringLiteral("es"),
                               QStringLiteral("pt"), QStringLiteral("ca")};
    return qMax(0, int(codes.indexOf(code)));
}

QMainWindow *backdrop() {
    auto *w = new QMainWindow;
    auto *centre = new QLabel(QStringLiteral("Quorvia Access"));
    centre->setAlignment(Qt::AlignCenter);
    centre->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f7fb, stop:1 #d9e3ef); "
        "color: #104386; font-size: 15pt;"));
    w->setCentralWidget(centre);
    w->statusBar()->showMessage(QStringLiteral("Connection status : Connected to gateway"));
    w->setGeometry(100, 60, 1200, 860);
    w->show();
    return w;
}
} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: dialogs_gallery WINDOW [LANGUAGE]\n";
        return 2;
    }
    settings().Sound = false;
    const int language = languageNumber(args.value(2, QStringLiteral("en")));
    SelectLanguage(quint8(language));
    const QString which = args.at(1);
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    QMainWindow *main = backdrop();
    GatewaySession session;

    QTimer::singleShot(0, &app, [&, which] {
        if (which == QLatin1String("connection")) {
            auto services = TConnectionSettingsForm::DefaultServices();
            services.ownerDomain = [] { return QStringLiteral("CORP"); };
            auto *form = new TConnectionSettingsForm(main, services);
            ConnectionValues v;
            v.UserCode = QStringLiteral("operator");
            v.Password = QStringLiteral("secret");
            v.ManProxy = true;
            v.ProxyName = QStringLiteral("proxy.corp.example");
            v.ProxyPort = 3128;
            v.ProxyUserCode = QStringLiteral("jdoe");
            v.ProxyPassword = QStringLiteral("x");
            form->Prepare(v, QStringLiteral("https"));
            form->centreOver(main);
            form->open();
        } else if (which == QLatin1String("application")) {
            auto *form = new TApplicationSettingsForm(main);
            form->Prepare(ApplicationValuesFrom(settings()), ColorBoxEntries());
            form->centreOver(main);
            form->open();
        } else if (which == QLatin1String("pacauth")) {
            auto *form = new TProxyPACAuthForm(main);
            form->Prepare(QUrl(QStringLiteral("http://wpad.corp.example/wpad.dat")));
            form->centreOver(main);
            form->open();
        } else if (which == QLatin1String("choosemail")) {
            auto *invite = new Invitation(&session, main);
            invite->LastMailAddress = QStringLiteral("remote.user@example.org");
            auto *form = new TChooseMailForm(invite, main);
            form->Open(QStringLiteral("QX7P2MZK4H2"), QStringLiteral("Demo Operator"), language,
                       main);
        } else if (which == QLatin1String("waitforhost")) {
            auto *form = new TWaitForHostForm(main);
            form->ShowWaiting(QStringLiteral("QX7P2MZK4H2-1"),
                              ShortSetupAddress(settings().SetupUrl),
                              QStringLiteral("remote.user@example.org"));
        }
    });
    return app.exec();
}
