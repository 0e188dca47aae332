#include "ui/DialogFrame.h"

#include "ui/BorderlessWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int Radius = 10;
constexpr int HeaderHeight = 40;
const QColor Background(0xf4, 0xf7, 0xfb);
const QColor Border(0x8a, 0xa3, 0xbf);
} // namespace

DialogFrame::DialogFrame(QWidget *parent, bool stayOnTop)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint |
                          (stayOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags())) {
    setStyleSheet(ControlsStyle());
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 0, 14, 12);
    outer->setSpacing(8);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    Header = new QLabel(this);
    Header->setObjectName(QStringLiteral("LblHeader"));
    Header->setTextFormat(Qt::PlainText);
    Header->setMinimumHeight(HeaderHeight);
    Header->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetHeadingFont(Header);
    Header->setStyleSheet(QStringLiteral("color: rgb(16,67,134);"));
    outer->addWidget(Header);
    Body = new QVBoxLayout;
    Body->setSpacing(8);
    outer->addLayout(Body);
    EnableSurfaceDrag(this);
}

void DialogFrame::setHeaderText(const QString &text) {
    Header->setText(text);
    // No title bar shows it, but the task list, accessibility tools and scripts name the
    // window by it.
    setWindowTitle(text.trimmed());
}

void DialogFrame::centreOver(QWidget *over) {
    adjustSize();
    QRect around;
    if (over && over->isVisible())
        around = over->isWindow() ? over->frameGeometry()
                                  : QRect(over->mapToGlobal(QPoint(0, 0)), over->size());
    else if (QScreen *s = QGuiApplication::primaryScreen())
        around = s->availableGeometry();
    if (around.isValid())
        move(around.center() - QPoint(width() / 2, height() / 2));
}

QString DialogFrame::ControlsStyle() {
    return NoticeControlsStyle() +
           QStringLiteral(
               "QGroupBox { color: rgb(16,67,134); font-weight: bold; border: 1px solid #b7c7d8; "
               "border-radius: 5px; margin-top: 9px; padding: 10px 8px 6px 8px; }"
               "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }"
               "QGroupBox:disabled { color: #8c9aab; }"
               "QLabel { color: rgb(16,67,134); }"
               "QLabel:disabled { color: #8c9aab; }"
               "QRadioButton { color: #104386; }"
               "QCheckBox:disabled, QRadioButton:disabled { color: #8c9aab; }"
               "QPushButton:disabled { color: #8c9aab; border-color: #c4cdd8; }");
}

void DialogFrame::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath panel;
    panel.addRoundedRect(r, Radius, Radius);
    p.fillPath(panel, Background);
    QLinearGradient band(0, 0, 0, HeaderHeight);
    band.setColorAt(0, Qt::white);
    band.setColorAt(1, QColor(0xdf, 0xe7, 0xf1));
    p.save();
    p.setClipRect(QRectF(0, 0, width(), HeaderHeight));
    p.fillPath(panel, band);
    p.restore();
    p.setPen(QColor(0xc4, 0xcd, 0xd8));
    p.drawLine(QPointF(1, HeaderHeight + 0.5), QPointF(width() - 1, HeaderHeight + 0.5));
    p.setPen(Border);
    p.drawPath(panel);
}

void DialogFrame::resizeEvent(QResizeEvent *e) {
    QDialog::resizeEvent(e);
    SetRoundedMask(this, Radius);
}

QPushButton *DialogFrame::button(QWidget *parent, const char *objectName) {
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(objectName));
    b->setAutoDefault(false);
    PlayClickOnClick(b);
    return b;
}
