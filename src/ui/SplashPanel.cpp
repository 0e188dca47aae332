#include "ui/SplashPanel.h"

#include "common/uLanguageMsg.h"
#include "ui/GlobeAnimation.h"
#include "ui/MainToolbar.h"
#include "ui/ResourceBitmap.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
// The picture panel's content: "rcSplash_bmp" under the title and the links.
class ImagePanelWidget : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.drawPixmap(0, 0, LoadResourceBitmap(QStringLiteral("rcSplash_bmp"), size()));
    }
};

struct LinkDef {
    const char *heading; // catalog text of the group heading before the link, or null
    const char *caption;
    int column; // 0 left, 1 right
    int top;
};

// Where the groups sit on the picture: the left column holds the console's own links, the
// right one the service's web pages.
constexpr LinkDef LinkDefs[TSplashPanel::LinkCount] = {
    {"Quick links", "Start new support session", 0, 112},
    {nullptr, "Configure connection settings", 0, 0},
    {nullptr, "Configure application settings", 0, 0},
    {"Your Quorvia Account", "Manage my account online", 0, 272},
    {nullptr, "Getting started", 0, 336},
    {nullptr, "Quick user guide", 0, 0},
    {"Quorvia on the web", "Online product information", 1, 112},
    {nullptr, "Frequently asked questions", 1, 0},
    {nullptr, "Consult the support forum", 1, 0},
    {"Customer Support", "Submit a new support request", 1, 272},
    {nullptr, "Consult the knowledge base", 1, 0},
    {nullptr, "Ask a question", 1, 0},
    {nullptr, "Contact Quorvia", 1, 384},
};
constexpr int ColumnLeft[2] = {48, 358};
constexpr int ColumnWidth = 270;
constexpr int HeadingHeight = 26;
constexpr int LinkHeight = 24;

QColor rgb(QRgb c) {
    return QColor::fromRgb(c);
}
} // namespace

TLinkLabel::TLinkLabel(QWidget *parent) : TClickLabel(parent) {
    setColour(Colour);
}

void TLinkLabel::setColour(QRgb colour) {
    setStyleSheet(QStringLiteral("color: %1;").arg(rgb(colour).name()));
}

void TLinkLabel::resetColour() {
    setColour(Colour);
    unsetCursor();
}

void TLinkLabel::enterEvent(QEnterEvent *e) {
    setColour(HoverColour);
    setCursor(Qt::PointingHandCursor);
    TClickLabel::enterEvent(e);
}

void TLinkLabel::leaveEvent(QEvent *e) {
    resetColour();
    TClickLabel::leaveEvent(e);
}

TSplashPanel::TSplashPanel(QWidget *parent)
    : QWidget(parent), ImagePanel(new ImagePanelWidget(this)),
      Globe(new GlobeAnimation(ImagePanel, 80)), LblTitle(new QLabel(ImagePanel)) {
    setObjectName(QStringLiteral("SplashPanel"));
    ImagePanel->setObjectName(QStringLiteral("SplashImagePanel"));
    ImagePanel->setFixedSize(ImageSize);
    Globe->setObjectName(QStringLiteral("SplashContainer"));
    Globe->setGeometry(GlobeRect);
    LblTitle->setObjectName(QStringLiteral("LblTitle"));
    LblTitle->setText(QStringLiteral("Quorvia Access"));
    QFont titleFont = LblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.9);
    titleFont.setBold(true);
    LblTitle->setFont(titleFont);
    LblTitle->setStyleSheet(QStringLiteral("color: white;"));
    LblTitle->setGeometry(84, 18, 460, 40);

    int y[2] = {0, 0};
    for (int i = 0; i < LinkCount; ++i) {
        const LinkDef &d = LinkDefs[i];
        const int x = ColumnLeft[d.column];
        if (d.top)
            y[d.column] = d.top;
        if (d.heading) {
            auto *h = new QLabel(ImagePanel);
            h->setObjectName(QStringLiteral("Heading%1").arg(Headings.size()));
            h->setProperty("catalog", QByteArray(d.heading));
            QFont f = h->font();
            f.setBold(true);
            f.setPointSizeF(f.pointSizeF() + 1.5);
            h->setFont(f);
            h->setStyleSheet(QStringLiteral("color: rgb(16,67,134);"));
            h->setGeometry(x, y[d.column], ColumnWidth, HeadingHeight);
            Headings.append(h);
            y[d.column] += HeadingHeight + 2;
        }
        auto *link = new TLinkLabel(ImagePanel);
        link->setObjectName(QStringLiteral("Link%1").arg(i));
        link->setGeometry(x + 14, y[d.column], ColumnWidth - 14, LinkHeight);
        connect(link, &TLinkLabel::clicked, this, [this, i] { emit linkClicked(i); });
        Links[i] = link;
        y[d.column] += LinkHeight;
    }
    applyTexts();
}

void TSplashPanel::applyTexts() {
    for (QLabel *h : std::as_const(Headings))
        h->setText(Msg(h->property("catalog").toByteArray().constData()));
    for (int i = 0; i < LinkCount; ++i)
        Links[i]->setText(Msg(LinkDefs[i].caption));
}

void TSplashPanel::setMode(Mode mode) {
    CurrentMode = mode;
    ImagePanel->setVisible(mode == Mode::Playing);
    if (mode == Mode::Playing) {
        for (TLinkLabel *l : Links)
            l->resetColour();
        Globe->reset();
        Globe->start();
    } else {
        Globe->stop();
    }
    SplashResize();
    update();
}

void TSplashPanel::setAttached(QWidget *widget, int side) {
    Attached = widget;
    AttachedSide = side;
    SplashResize();
}

void TSplashPanel::SplashResize() {
    const QSize image = ImageSize;
    int extraW = 0, extraH = 0;
    if (Attached && Attached->parentWidget() == this) {
        if (AttachedSide <= 1)
            extraH = Attached->height();
        else
            extraW = Attached->width();
    }
    const int left = qMax(0, (width() - image.width() - extraW) / 2);
    const int top = qMax(0, (height() - image.height() - extraH) / 2);
    QPoint imageAt(left, top);
    // A vertical bar may need more room than the picture is high: it runs on below it.
    const auto length = [this](int along) {
        const auto *bar = qobject_cast<TMainToolbar *>(Attached);
        return bar ? qMax(along, bar->contentLength()) : along;
    };
    if (Attached && Attached->parentWidget() == this) {
        switch (AttachedSide) {
        case 0:
            Attached->setGeometry(left, top, image.width(), Attached->height());
            imageAt.ry() += Attached->height();
            break;
        case 1:
            Attached->setGeometry(left, top + image.height(), image.width(), Attached->height());
            break;
        case 2:
            Attached->setGeometry(left, top, Attached->width(), length(image.height()));
            imageAt.rx() += Attached->width();
            break;
        default:
            Attached->setGeometry(left + image.width(), top, Attached->width(),
                                  length(image.height()));
            break;
        }
        Attached->raise();
    }
    ImagePanel->move(imageAt);
}

void TSplashPanel::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    SplashResize();
}

void TSplashPanel::paintEvent(QPaintEvent *) {
    QPainter p(this);
    if (CurrentMode != Mode::Playing) {
        p.fillRect(rect(), rgb(SessionGrey));
        return;
    }
    const QColor top = rgb(GradientTop), bottom = rgb(GradientBottom);
    for (int i = 0; i < GradientSteps; ++i) {
        const int y0 = height() * i / GradientSteps;
        const int y1 = height() * (i + 1) / GradientSteps;
        const auto mix = [i](int a, int b) { return a + (b - a) * i / (GradientSteps - 1); };
        p.fillRect(0, y0, width(), y1 - y0,
                   QColor(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()),
                          mix(top.blue(), bottom.blue())));
    }
}
