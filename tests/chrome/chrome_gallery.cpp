// Shows one window of the main window's chrome, the help windows or the update and error
// report windows, for screenshots and for looking at translations:
//   chrome_gallery WINDOW [LANGUAGE]
// WINDOW: main-top, main-bottom, main-left, main-right, main-strip, main-session, about, started,
// guide, guide-end, upgrade-required, upgrade-optional, download, report. LANGUAGE: en nl fr de it
// es pt ca (default en). Not a test: it runs until it is closed (or 60 seconds pass).

#include "GalleryBackdrop.h"
#include "LocalGateway.h"
#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/UrlsAdmin.h"
#include "main/QuorvAdmin.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"
#include "ui/About.h"
#include "ui/GettingStartedUnit.h"
#include "ui/MainChrome.h"
#include "ui/uDownloadUpdate.h"
#include "ui/uErrorReport.h"
#include "ui/uUpgrade.h"
#include "ui/uUserGuide.h"

#include <QApplication>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTextStream>
#include <QTimer>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: chrome_gallery WINDOW [LANGUAGE]\n";
        return 2;
    }
    const int language = galleryLanguage(args.value(2, QStringLiteral("en")));
    settings().Sound = false;
    SelectLanguage(quint8(language));
    FillServiceUrls();
    const QString which = args.at(1);
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);

    if (which.startsWith(QLatin1String("main"))) {
        // main-top, main-bottom, main-left, main-right: the start page with the toolbar on that
        // side; main-strip: not nailed, slid away; main-tray: hidden in the tray; main-session: a
        // session with the local gateway's host on screen.
        static const QStringList sides = {QStringLiteral("top"), QStringLiteral("bottom"),
                                          QStringLiteral("left"), QStringLiteral("right")};
        const QString variant = which.section(QLatin1Char('-'), 1);
        auto *form = new TQuorvAdminForm;
        settings().UserCode = QStringLiteral("demo");
        settings().Password = QStringLiteral("demo");
        settings().Sound = false;
        settings().ResTip = false;
        settings().TBpos = qMax(0, int(sides.indexOf(variant)));
        settings().TBnailed = variant != QLatin1String("strip");
        form->chrome()->applySettings();
        SelectLanguage(quint8(language));
        BroadcastLanguageChange();
        form->setGeometry(40, 30, 1100, 800);
        if (variant == QLatin1String("session")) {
            localgw::GatewayConfig config;
            config.hostDelayMs = 500;
            auto *gw = new localgw::LocalGateway(config, form);
            gw->start();
            serviceConfig().GatewayAddress = gw->gatewayAddress();
            serviceConfig().TrustedCertificates = gw->caPemPath();
            QTimer::singleShot(300, form, [form] { form->session()->WANconnect(false); });
        }
        form->show();
        if (variant == QLatin1String("tray"))
            QTimer::singleShot(1500, form, [form] {
                form->chrome()->setInvitationSent(true);
                form->chrome()->BttnToTrayClick();
            });
        return app.exec();
    }
    QTimer::singleShot(0, &app, [which] {
        if (which == QLatin1String("about")) {
            auto *about = new TAboutForm;
            about->SetVersion(QStringLiteral("A410"));
            about->ShowAbout();
        } else if (which == QLatin1String("started")) {
            (new TGettingStartedForm)->ShowGuide();
        } else if (which.startsWith(QLatin1String("guide"))) {
            auto *guide = new TUserGuideForm;
            guide->ShowGuide();
            if (which == QLatin1String("guide-end")) // its last part: the keys of a session
                guide->verticalScrollBar()->setValue(guide->verticalScrollBar()->maximum());
        } else if (which.startsWith(QLatin1String("upgrade-"))) {
            AskUpgrade(which.endsWith(QLatin1String("required")));
            qApp->quit();
        } else if (which == QLatin1String("download")) {
            // A server that accepts and never answers keeps the download open for the picture.
            auto *silent = new QTcpServer(qApp);
            silent->listen(QHostAddress::LocalHost);
            auto *form = new TDownloadUpdateForm;
            QTimer::singleShot(500, form, [form] {
                WindowMessages::PostMessage(form, WindowMessages::DownloadProgress, 45);
            });
            form->Run(QStringLiteral("https://127.0.0.1:%1/upgrade/QvAccessSetup.zip")
                          .arg(silent->serverPort()),
                      QStringLiteral("/tmp/QvAccessSetup.exe"), {});
            qApp->quit();
        } else if (which == QLatin1String("report")) {
            AddTrace(12, QStringLiteral("example"));
            adminVars().CurrentKey = QStringLiteral("KEY123456A");
            ShowErrorReport();
            qApp->quit();
        } else {
            QTextStream(stderr) << "unknown window " << which << "\n";
            qApp->quit();
        }
    });
    return app.exec();
}
