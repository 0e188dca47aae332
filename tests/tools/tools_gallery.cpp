// Shows one window of the clipboard, chat and system information tools with sample data, for
// screenshots and for looking at translations:
//   tools_gallery WINDOW [LANGUAGE]
// WINDOW: options-upload, options-download, progress-send, progress-receive, chat, info.
// LANGUAGE: en nl fr de it es pt ca (default en). Not a test: it runs until closed (or 60 s).
#include "HostTools.h"
#include "common/AdminVars.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "settings/uIniFiles.h"
#include "tools/AdminChat.h"
#include "tools/HostInfoReport.h"
#include "tools/RemoteChat.h"
#include "tools/RemoteSystemInfo.h"
#include "tools/uClipBrdOptions.h"
#include "tools/uClipProgress.h"
#include "tools/uShowInfoHost.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
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
    w->setGeometry(100, 80, 1000, 700);
    w->show();
    return w;
}
} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: tools_gallery WINDOW [LANGUAGE]\n";
        return 2;
    }
    settings().Sound = false;
    SelectLanguage(quint8(languageNumber(args.value(2, QStringLiteral("en")))));
    const QString which = args.at(1);
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    auto *session = new GatewaySession(&app);
    session->CustomerName = QStringLiteral("Ann Operator");
    session->HostIP = QStringLiteral("192.168.10.20");
    adminVars().HostName = QStringLiteral("DEMO-PC");

    QTimer::singleShot(0, &app, [which, session] {
        if (which.startsWith(QLatin1String("options"))) {
            backdrop();
            auto *form = new TClipBrdOptionsForm(which.endsWith(QLatin1String("upload")),
                                                 QPoint(420, 150), 0);
            form->show();
        } else if (which.startsWith(QLatin1String("progress"))) {
            QMainWindow *main = backdrop();
            auto *form = new TClipProgressForm(main);
            form->ShowClipProgress(which.endsWith(QLatin1String("send")));
        } else if (which == QLatin1String("chat")) {
            QMainWindow *main = backdrop();
            auto *chat = new RemoteChat(session, session);
            new TAdminChatForm(chat, main);
            chat->StartChat(true);
            chat->setLogChat(false);
            session->dispatchHostMessage("ChSt", "Hello, my printer stopped working \x96 "
                                                 "can you have a look?");
            chat->send(QStringLiteral("Hi! Sure, I am looking at the print queue now."));
            session->dispatchHostMessage(
                "ChSt", "<b>Thanks</b> <a href=\"file:///etc/passwd\">click here</a> & <i>bye</i>");
            session->dispatchHostMessage("RTpg", {});
        } else if (which == QLatin1String("info")) {
            auto *info = new RemoteSystemInfo(session, session);
            new TInfoHostForm(info);
            localgw::HostTools host("DEMO-PC", {});
            info->OsHostInfoDone(HostInfoReport::linesOf(host.reportLines(true)), true);
            info->selectCategory(HostInfoReport::Services);
            info->selectRow(info->model()->rowOfKey(QStringLiteral("Spooler")));
            info->sortByColumn(0);
        } else {
            QTextStream(stderr) << "unknown window\n";
            QCoreApplication::exit(2);
        }
    });
    return app.exec();
}
