#include "ui/About.h"

#include "ui/GlobeAnimation.h"
#include "ui/ResourceBitmap.h"
#include "ui/uSounds.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace {
constexpr QSize FormSize(550, 370);

QString readResource(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

TAboutForm::TAboutForm(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      MainWindow(mainWindow), LblVersion(new QLabel(this)), LblLicence(new QLabel(this)),
      MemoLicence(new QPlainTextEdit(this)), Globe(new GlobeAnimation(this, 80)) {
    setObjectName(QStringLiteral("AboutForm"));
    setFixedSize(FormSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    LblVersion->setObjectName(QStringLiteral("LblVersion"));
    QFont f = LblVersion->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() + 3);
    LblVersion->setFont(f);
    LblVersion->setStyleSheet(QStringLiteral("color: white;"));
    LblVersion->setGeometry(28, 92, 420, 28);
    LblLicence->setText(QStringLiteral("End User License Agreements:"));
    LblLicence->setStyleSheet(QStringLiteral("color: rgb(200,215,235);"));
    LblLicence->setGeometry(28, 146, 494, 20);
    MemoLicence->setObjectName(QStringLiteral("MemoLicence"));
    MemoLicence->setReadOnly(true);
    MemoLicence->setPlainText(LicenceText());
    MemoLicence->setGeometry(28, 168, 494, 170);
    MemoLicence->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: rgb(248,250,253); color: rgb(0,51,102); "
                       "border: 1px solid rgb(90,120,160); font-size: 8pt; }"));
    Globe->setObjectName(QStringLiteral("Globe"));
    Globe->setGeometry(465, 7, 75, 65);
}

QString TAboutForm::VersionLine(const QString &versionTag) {
    QStringList parts;
    for (qsizetype i = 1; i < versionTag.size() && parts.size() < 3; ++i)
        parts.append(versionTag.mid(i, 1));
    return QStringLiteral("Quorvia Access v ") + parts.join(QLatin1Char('.'));
}

QString TAboutForm::LicenceText() {
    return readResource(QStringLiteral(":/licences/EULA.txt")) + QLatin1Char('\n') +
           readResource(QStringLiteral(":/licences/THIRD-PARTY-NOTICES.txt"));
}

void TAboutForm::SetVersion(const QString &versionTag) {
    LblVersion->setText(VersionLine(versionTag));
}

void TAboutForm::ShowAbout() {
    if (MainWindow && MainWindow->isVisible())
        move(MainWindow->frameGeometry().center() - rect().center());
    MemoLicence->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
}

void TAboutForm::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    Globe->reset();
    Globe->start();
}

void TAboutForm::hideEvent(QHideEvent *e) {
    Globe->stop();
    QWidget::hideEvent(e);
}

void TAboutForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QPixmap picture = LoadResourceBitmap(QStringLiteral("rcAbout_bmp"), size());
    if (!picture.isNull())
        p.drawPixmap(0, 0, picture);
}

void TAboutForm::mousePressEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    PlaySystemSound(sndClick);
    close();
}
