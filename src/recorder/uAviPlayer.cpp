#include "recorder/uAviPlayer.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "recorder/AviPlayerLayout.h"
#include "recorder/MoviePlayback.h"
#include "ui/AccessibleControls.h"
#include "ui/FlashInfo.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QSlider>
#include <QToolButton>

namespace {
constexpr int PanelHeight = 33;
const QColor Ink(235, 240, 248);
const QColor Highlight(255, 196, 80);

// The buttons' pictures, "rcAVIplay_bmp" and the others; the icon's active mode holds the
// "Sel" variant shown under the pointer.
void drawGlyph(QPainter &p, const QString &name, const QColor &c) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    if (name == QLatin1String("AVIplay")) {
        p.drawPolygon(QPolygonF({{7, 5}, {19, 12}, {7, 19}}));
    } else if (name == QLatin1String("AVIpause")) {
        p.drawRoundedRect(QRectF(6, 5, 4.5, 14), 1, 1);
        p.drawRoundedRect(QRectF(13.5, 5, 4.5, 14), 1, 1);
    } else if (name == QLatin1String("AVIstop")) {
        p.drawRoundedRect(QRectF(6, 6, 12, 12), 1.5, 1.5);
    } else if (name == QLatin1String("AVIrewind")) {
        p.drawRect(QRectF(4, 6, 2.5, 12));
        p.drawPolygon(QPolygonF({{13, 6}, {13, 18}, {6.5, 12}}));
        p.drawPolygon(QPolygonF({{20, 6}, {20, 18}, {13.5, 12}}));
    } else if (name == QLatin1String("Minimize")) {
        p.drawRect(QRectF(6, 16, 12, 2.5));
    } else if (name == QLatin1String("Close")) {
        p.setPen(QPen(c, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7, 7), QPointF(17, 17));
        p.drawLine(QPointF(17, 7), QPointF(7, 17));
    }
}

QPixmap picture(const QString &name, bool selected) {
    QPixmap pm(48, 48);
    pm.setDevicePixelRatio(2.0);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    drawGlyph(p, name, selected ? Highlight : Ink);
    return pm;
}

QToolButton *makeButton(QWidget *parent, const char *name) {
    auto *b = new QToolButton(parent);
    const QString stem = QString::fromLatin1(name);
    b->setObjectName(QStringLiteral("Bttn") + (stem.startsWith(QLatin1String("AVI"))
                                                   ? stem.mid(3, 1).toUpper() + stem.mid(4)
                                                   : stem));
    QIcon icon;
    icon.addPixmap(picture(stem, false), QIcon::Normal);
    icon.addPixmap(picture(stem, true), QIcon::Active);
    b->setIcon(icon);
    b->setIconSize(QSize(24, 24));
    b->setFixedSize(28, 28);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"));
    return b;
}

// The background below the button bar.
class Backdrop : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(28, 44, 72));
        g.setColorAt(1, QColor(10, 16, 28));
        p.fillRect(rect(), g);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 255, 255, 14), 1));
        for (int x = -height(); x < width(); x += 24)
            p.drawLine(x, height(), x + height(), 0);
    }
};

// The movie's picture, stretched to the panel (which has the movie's shape).
class MoviePanel : public QWidget {
public:
    MoviePanel(MoviePlayback *player, QWidget *parent) : QWidget(parent), Player(player) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        const QImage &picture = Player->picture();
        if (picture.isNull()) {
            p.fillRect(rect(), Qt::black);
            return;
        }
        p.setRenderHint(QPainter::SmoothPixmapTransform, picture.size() != size());
        p.drawImage(rect(), picture);
    }

private:
    MoviePlayback *Player;
};
} // namespace

TAviPlayerForm::TAviPlayerForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("AviPlayerForm"));
    setMinimumSize(400, 400);
    setAttribute(Qt::WA_QuitOnClose, false);
    setContentsMargins(2, 2, 2, 2); // the border

    BttnPanel = new QWidget(this);
    BttnPanel->setObjectName(QStringLiteral("BttnPanel"));
    BttnPanel->setAutoFillBackground(true);
    BttnPanel->setStyleSheet(QStringLiteral(
        "#BttnPanel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3b5a8c, "
        "stop:1 #213656); } QLabel { color: #eef2f8; }"));
    BttnPlay = makeButton(BttnPanel, "AVIplay");
    BttnPause = makeButton(BttnPanel, "AVIpause");
    BttnStop = makeButton(BttnPanel, "AVIstop");
    BttnRewind = makeButton(BttnPanel, "AVIrewind");
    BttnMinimize = makeButton(BttnPanel, "Minimize");
    BttnClose = makeButton(BttnPanel, "Close");
    FilesCombo = new QComboBox(BttnPanel);
    FilesCombo->setObjectName(QStringLiteral("FilesCombo"));
    FilesCombo->setMinimumWidth(220);
    FilesCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    TrackBar = new QSlider(Qt::Horizontal, BttnPanel);
    TrackBar->setObjectName(QStringLiteral("TrackBar"));
    TrackBar->setMinimumWidth(120);
    LblTime = new QLabel(QStringLiteral("00:00:00"), BttnPanel);
    LblTime->setObjectName(QStringLiteral("LblTime"));
    LblSlash = new QLabel(QStringLiteral("/"), BttnPanel);
    LblTotal = new QLabel(QStringLiteral("00:00:00"), BttnPanel);
    LblTotal->setObjectName(QStringLiteral("LblTotal"));
    auto *row = new QHBoxLayout(BttnPanel);
    row->setContentsMargins(6, 2, 4, 2);
    row->setSpacing(4);
    for (QWidget *w : {static_cast<QWidget *>(BttnPlay), static_cast<QWidget *>(BttnPause),
                       static_cast<QWidget *>(BttnStop), static_cast<QWidget *>(BttnRewind)})
        row->addWidget(w);
    row->addSpacing(8);
    row->addWidget(FilesCombo);
    row->addSpacing(8);
    row->addWidget(TrackBar, 1);
    row->addSpacing(6);
    row->addWidget(LblTime);
    row->addWidget(LblSlash);
    row->addWidget(LblTotal);
    row->addSpacing(12);
    row->addWidget(BttnMinimize);
    row->addWidget(BttnClose);

    Image1 = new Backdrop(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    MediaPlayer = new MoviePlayback(this);
    DrawPanel = new MoviePanel(MediaPlayer, this);
    DrawPanel->setObjectName(QStringLiteral("DrawPanel"));
    DrawPanel->hide();
    LblCaption = new QLabel(this);
    LblCaption->setObjectName(QStringLiteral("LblCaption"));
    LblCaption->setStyleSheet(QStringLiteral(
        "#LblCaption { color: white; font-weight: bold; background: transparent; }"));

    Timer1.setInterval(200);
    connect(&Timer1, &QTimer::timeout, this, &TAviPlayerForm::Timer1Timer);
    connect(BttnPlay, &QToolButton::clicked, this, &TAviPlayerForm::BttnPlayClick);
    connect(BttnPause, &QToolButton::clicked, this, &TAviPlayerForm::BttnPauseClick);
    connect(BttnStop, &QToolButton::clicked, this, &TAviPlayerForm::BttnStopClick);
    connect(BttnRewind, &QToolButton::clicked, this, &TAviPlayerForm::BttnRewindClick);
    connect(BttnMinimize, &QToolButton::clicked, this, &QWidget::showMinimized);
    connect(BttnClose, &QToolButton::clicked, this, &QWidget::close);
    connect(TrackBar, &QSlider::valueChanged, this, &TAviPlayerForm::TrackBarChange);
    connect(FilesCombo, &QComboBox::currentIndexChanged, this, &TAviPlayerForm::FilesComboChange);
    connect(MediaPlayer, &MoviePlayback::pictureChanged, DrawPanel, qOverload<>(&QWidget::update));
    connect(MediaPlayer, &MoviePlayback::ended, this, &TAviPlayerForm::movieEnded);
    applyTexts();
    registerLanguageListener(this);
    takeWorkArea();
}

TAviPlayerForm::~TAviPlayerForm() {
    Timer1.stop();
}

void TAviPlayerForm::applyTexts() {
    SetButtonHint(BttnPlay, Msg("Play"));
    SetButtonHint(BttnPause, Msg("Pause"));
    SetButtonHint(BttnStop, Msg("Stop"));
    SetButtonHint(BttnRewind, Msg("Rewind"));
    SetButtonHint(BttnMinimize, Msg("Minimize"));
    SetButtonHint(BttnClose, Msg("Close"));
    LblCaption->setText(QLatin1Char(' ') + Msg("Replay recorded session"));
    setWindowTitle(Msg("Replay recorded session"));
}

bool TAviPlayerForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        applyTexts();
        return true;
    }
    return QWidget::event(e);
}

void TAviPlayerForm::takeWorkArea() {
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s)
        setGeometry(s->availableGeometry());
}

void TAviPlayerForm::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    FormShow();
}

void TAviPlayerForm::FormShow() {
    applyTexts();
    FilesCombo->blockSignals(true);
    FilesCombo->clear();
    FilesCombo->blockSignals(false);
    ListFolder();
    raise();
    activateWindow();
    takeWorkArea();
}

void TAviPlayerForm::ListFolder() {
    const QDir dir(Folder);
    if (Folder.isEmpty() || !dir.exists()) {
        ShowFlashInfo(Msg("Error"), Msg("Folder not found") + QStringLiteral(" : <Recorded>"), 3);
        return;
    }
    // Hidden files are movies still being written.
    const QStringList names = dir.entryList({QStringLiteral("*.avi")}, QDir::Files, QDir::Name);
    FilesCombo->blockSignals(true);
    FilesCombo->addItems(names);
    FilesCombo->setCurrentIndex(names.isEmpty() ? -1 : 0);
    FilesCombo->blockSignals(false);
}

void TAviPlayerForm::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    const QRect inner = contentsRect();
    BttnPanel->setGeometry(inner.left(), inner.top(), inner.width(), PanelHeight);
    Image1->setGeometry(inner.left(), inner.top() + PanelHeight, inner.width(),
                        inner.height() - PanelHeight);
    const int captionHeight = LblCaption->sizeHint().height() + 6;
    LblCaption->setGeometry(inner.left(), inner.bottom() + 1 - captionHeight, inner.width(),
                            captionHeight);
    LblCaption->raise();
    if (MovieSize.isValid() && DrawPanel->isVisible())
        FitPanel(MovieSize);
}

void TAviPlayerForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(120, 140, 170));
}

void TAviPlayerForm::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TAviPlayerForm::closeEvent(QCloseEvent *e) {
    Timer1.stop();
    // Nothing plays on in a hidden window; the next show lists the folder afresh.
    if (Opened)
        BttnStopClick();
    QWidget::closeEvent(e);
}

bool TAviPlayerForm::FitPanel(QSize movie) {
    DrawPanel->hide();
    const std::optional<QRect> r = FitMoviePanel(movie, Image1->geometry());
    if (!r) {
        ShowFlashInfo(Msg("Error"), Msg("Error reading file "), 3);
        MediaPlayer->close();
        return false;
    }
    DrawPanel->setGeometry(*r);
    DrawPanel->show();
    DrawPanel->raise();
    LblCaption->raise();
    return true;
}

void TAviPlayerForm::setSlider(qint64 position) {
    TrackBar->blockSignals(true);
    TrackBar->setValue(int(qMin<qint64>(position, INT_MAX)));
    TrackBar->blockSignals(false);
}

void TAviPlayerForm::BttnPlayClick() {
    if (Opened) {
        MediaPlayer->play();
        Timer1.start();
        return;
    }
    const QString name = FilesCombo->currentText();
    const QString path = QDir(Folder).filePath(name);
    if (name.isEmpty() || !QFileInfo(path).isFile())
        return;
    if (!MediaPlayer->open(path)) {
        ShowFlashInfo(Msg("Error"), Msg("Error reading file "), 4);
        return;
    }
    MovieSize = MediaPlayer->naturalSize();
    if (!FitPanel(MovieSize)) {
        MovieSize = QSize();
        return;
    }
    const qint64 length = MediaPlayer->length();
    LblTotal->setText(AviTimeText(length));
    TrackBar->blockSignals(true);
    TrackBar->setRange(0, int(qMin<qint64>(length, INT_MAX)));
    TrackBar->blockSignals(false);
    MediaPlayer->play();
    Opened = true;
    Timer1.start();
}

void TAviPlayerForm::movieEnded() {
    // Back to the start, ready to play again.
    Timer1.stop();
    MediaPlayer->seek(0);
    setSlider(0);
    LblTime->setText(AviTimeText(0));
}

void TAviPlayerForm::BttnPauseClick() {
    if (!Opened)
        return;
    Timer1.stop();
    if (MediaPlayer->mode() == MoviePlayback::Playing)
        MediaPlayer->pause();
    else if (MediaPlayer->mode() == MoviePlayback::Paused)
        MediaPlayer->play();
}

void TAviPlayerForm::BttnStopClick() {
    if (!Opened)
        return;
    MediaPlayer->stop();
    MediaPlayer->seek(0);
    Opened = false;
    setSlider(0);
}

void TAviPlayerForm::BttnRewindClick() {
    if (!Opened)
        return;
    MediaPlayer->seek(0);
    setSlider(0);
}

void TAviPlayerForm::Timer1Timer() {
    const qint64 position = MediaPlayer->position();
    setSlider(position);
    LblTime->setText(AviTimeText(position));
}

void TAviPlayerForm::TrackBarChange(int position) {
    if (Opened)
        MediaPlayer->seek(position);
    else
        setSlider(0);
}

void TAviPlayerForm::FilesComboChange() {
    if (Opened)
        BttnStopClick();
}
