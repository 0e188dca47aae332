#include "HostApp.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorvia-host"));
    QApplication::setApplicationDisplayName(QStringLiteral("Remote support"));
    // The panel may be the only window; hiding it must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    const qhost::HostOptions options = qhost::ParseHostOptions(QApplication::arguments());
    if (!options.error.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Remote support"), options.error);
        return 2;
    }
    qhost::HostApp host(options);
    QObject::connect(&host, &qhost::HostApp::finished, &app, &QApplication::exit);
    host.start();
    return app.exec();
}
