#pragma once
// What the screenshot gallery programs share: the language named on their command line and a
// stand-in for the main window that their windows sit on or over.
#include <QLabel>
#include <QMainWindow>
#include <QRect>
#include <QStatusBar>
#include <QStringList>

// "en", "nl", "fr", "de", "it", "es", "pt", "ca" to the catalog's language number; English for
// anything else.
inline int galleryLanguage(const QString &code) {
    static const QStringList codes = {
        QStringLiteral("en"), QStringLiteral("nl"), QStringLiteral("fr"), QStringLiteral("de"),
        QStringLiteral("it"), QStringLiteral("es"), QStringLiteral("pt"), QStringLiteral("ca")};
    return qMax(0, int(codes.indexOf(code)));
}

// The console's start page at `geometry`, with `status` in the status bar when it is not empty.
inline QMainWindow *galleryBackdrop(const QRect &geometry, const QString &status = {}) {
    auto *w = new QMainWindow;
    auto *centre = new QLabel(QStringLiteral("Quorvia Access"));
    centre->setAlignment(Qt::AlignCenter);
    centre->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f7fb, stop:1 #d9e3ef); "
        "color: #104386; font-size: 15pt;"));
    w->setCentralWidget(centre);
    if (!status.isEmpty())
        w->statusBar()->showMessage(status);
    w->setGeometry(geometry);
    w->show();
    return w;
}
