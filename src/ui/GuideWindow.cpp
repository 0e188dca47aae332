#include "ui/GuideWindow.h"

#include "ui/ResourceBitmap.h"

#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

namespace {
const QString HeaderPicture = QStringLiteral("rcUserGetStartedHeader_bmp");
}

TGuideWindow::TGuideWindow(QWidget *mainWindow)
    : QScrollArea(nullptr), MainWindow(mainWindow), Content(new QWidget) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose, false);
    // An open guide never keeps the program running once the console is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    ContentWidth = ResourceBitmapSize(HeaderPicture).width();
    if (ContentWidth <= 0)
        ContentWidth = 640;
    Content->setObjectName(QStringLiteral("GuideContent"));
    Content->setAutoFillBackground(true);
    QPalette pal = Content->palette();
    pal.setColor(QPalette::Window, Qt::white);
    Content->setPalette(pal);
    Content->setFixedWidth(ContentWidth);
    setWidget(Content);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFixedSize(ContentWidth + verticalScrollBar()->sizeHint().width(), WindowHeight);
    // Closed with the main window, which owns it in spirit; a top-level window has no parent.
    if (mainWindow)
        connect(mainWindow, &QObject::destroyed, this, &QObject::deleteLater);
}

QLabel *TGuideWindow::addLabel(const QString &name, bool rich) {
    auto *l = new QLabel(Content);
    l->setObjectName(name);
    l->setTextFormat(rich ? Qt::RichText : Qt::PlainText);
    l->setWordWrap(true);
    l->setStyleSheet(QStringLiteral("color: #%1;").arg(TextColour, 6, 16, QLatin1Char('0')));
    return l;
}

QLabel *TGuideWindow::addPicture(const QString &resource, const QSize &size) {
    auto *l = new QLabel(Content);
    l->setObjectName(resource);
    const QSize designed = size.isEmpty() ? ResourceBitmapSize(resource) : size;
    l->setPixmap(LoadResourceBitmap(resource, designed));
    l->resize(designed.isEmpty() ? QSize(0, 0) : designed);
    return l;
}

void TGuideWindow::setContentHeight(int height) {
    Content->setFixedHeight(height);
}

void TGuideWindow::ShowGuide() {
    if (MainWindow && MainWindow->isVisible() && !isVisible())
        move(MainWindow->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
    activateWindow();
}

void TGuideWindow::showEvent(QShowEvent *e) {
    QScrollArea::showEvent(e);
    verticalScrollBar()->setValue(0);
}

void TGuideWindow::wheelEvent(QWheelEvent *e) {
    const int steps = e->angleDelta().y() / 120;
    if (steps == 0)
        return QScrollArea::wheelEvent(e);
    verticalScrollBar()->setValue(verticalScrollBar()->value() - steps * WheelStep);
    e->accept();
}
