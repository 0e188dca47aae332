// Shows the file transfer window against a local gateway, for screenshots:
//   transfer_gallery [MODE] [LANGUAGE]
// MODE: browse (both panes filled), transfer (a download under way), ask (the overwrite
// question). LANGUAGE: en nl fr de it es pt ca (default en).
// Not a test: it runs until it is closed (or 60 seconds pass).

#include "GalleryBackdrop.h"
#include "LocalGateway.h"
#include "SessionTestSupport.h"
#include "common/uLanguageMsg.h"
#include "screen/ScreenPipeline.h"
#include "transfer/FileTransfer.h"
#include "transfer/QVexplorer.h"
#include "transfer/QVexplorerProtocol.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

using namespace localgw;

namespace {
void makeFile(const QString &path, qsizetype size) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(QByteArray(size, 'q'));
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1, QStringLiteral("browse"));
    resetProcessState();
    SelectLanguage(quint8(galleryLanguage(args.value(2, QStringLiteral("en")))));
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);

    QTemporaryDir sandbox;
    QTemporaryDir local;
    for (const char *folder : {"C/Documents/Reports", "C/Program Files/Quorvia", "C/Temp",
                               "C/Users/Public", "C/Windows", "D/Backup"})
        QDir().mkpath(sandbox.filePath(QLatin1String(folder)));
    const struct {
        const char *name;
        qsizetype size;
    } remoteFiles[] = {{"autoexec.bat", 120},     {"config.ini", 2300},    {"notes.txt", 1023},
                       {"report.doc", 48000},     {"holiday.jpg", 250000}, {"setup.zip", 880000},
                       {"tutorial.avi", 3000000}, {"theme.mp3", 420000},   {"tool.exe", 96000}};
    for (const auto &f : remoteFiles)
        makeFile(sandbox.filePath(QStringLiteral("C/") + QLatin1String(f.name)), f.size);
    for (const auto &f : {"budget.xls", "invoice.pdf", "readme.txt", "setup.zip", "screen.png"})
        makeFile(local.filePath(QLatin1String(f)), 5000);
    QDir().mkpath(local.filePath(QStringLiteral("Projects")));

    GatewayConfig config;
    config.hostDelayMs = -1;
    config.pollHoldMs = 300;
    config.screenSize = {320, 240};
    config.fileSandbox = sandbox.path();
    LocalGateway gw(config);
    if (!gw.start())
        return 1;
    useLocalGateway(gw.gatewayAddress(), gw.caPemPath());

    QMainWindow backdrop;
    auto *centre = new QLabel(QStringLiteral("Quorvia Access"));
    centre->setAlignment(Qt::AlignCenter);
    centre->setStyleSheet(QStringLiteral("background: #d9e3ef; color: #104386; font-size: 15pt;"));
    backdrop.setCentralWidget(centre);
    backdrop.statusBar()->showMessage(QStringLiteral("Connection status : Connected to client"));
    backdrop.setGeometry(100, 60, 1200, 860);
    backdrop.show();

    RecordingUi ui;
    auto session = makeTestSession(ui);
    auto *pipeline = new ScreenPipeline(session.get());
    auto *transfer = new FileTransfer(session.get(), pipeline);
    QObject::connect(session.get(), &GatewaySession::stringListReceived, pipeline,
                     [pipeline](int kind) {
                         if (kind == 1)
                             pipeline->RestartScreenUpdates(true);
                     });
    QObject::connect(session.get(), &GatewaySession::loggedOn, &gw,
                     [&gw] { gw.latestSession()->host().join(); });
    bool asked = false;
    QObject::connect(pipeline, &ScreenPipeline::fullPictureShown, transfer, [&] {
        if (!asked)
            asked = transfer->BttnCopyFileClick();
    });
    QObject::connect(
        transfer, &FileTransfer::explorerOpened, &backdrop, [&](TQVexplorerProtocol *protocol) {
            auto *window = new TQVexplorerForm(protocol, &backdrop);
            window->setLocalFolder(local.path());
            window->move(240, 150);
            window->show();
            auto first = std::make_shared<bool>(true);
            QObject::connect(
                protocol, &TQVexplorerProtocol::filesArrived, window, [&, window, protocol, first] {
                    if (!*first)
                        return;
                    *first = false;
                    QTreeWidgetItem *root = window->HostDirTree->topLevelItem(0);
                    if (root && root->childCount() > 0)
                        root->child(0)->setExpanded(true);
                    if (mode == QLatin1String("transfer")) {
                        gw.latestSession()->host().files().setStalled(true);
                        protocol->CopyFile({false, "tutorial.avi", "C:", local.path()});
                        QTimer::singleShot(800, &gw,
                                           [&gw] { gw.latestSession()->host().say("SfSt?P70"); });
                    } else if (mode == QLatin1String("ask")) {
                        protocol->CopyFile({true, "setup.zip", local.path(), "C:"});
                    }
                });
        });
    session->WANconnect(false);
    return app.exec();
}
