#include "screen/ScreenView.h"
#include "screen/ScreenTimeline.h"

#include "screen/RemoteInput.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace {
const QColor SessionBackground(128, 128, 128);
const QColor PanelFace(212, 208, 200);
const QColor BevelLight(255, 255, 255);
const QColor BevelDark(128, 128, 128);

// A one-pixel bevel along the rectangle's edge; raised when light is top left.
void drawBevel(QPainter &p, const QRect &r, const QColor &topLeft, const QColor &bottomRight) {
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}
} // namespace

ScreenView::ScreenView(QWidget *parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void ScreenView::setPictureSource(std::function<const QImage &()> source) {
    Source = std::move(source);
    SetImagePosition();
}

void ScreenView::setScaling(int scaling) {
    Scaling = scaling;
}

void ScreenView::setFullScreen(bool on, QSize monitor) {
    FullScreen = on;
    Monitor = monitor;
}

const QImage *ScreenView::picture() const {
    if (!Source || Cleared)
        return nullptr;
    const QImage &image = Source();
    return image.isNull() ? nullptr : &image;
}

bool ScreenView::hasPicture() const {
    return picture() != nullptr;
}

void ScreenView::SetImagePosition() {
    // The frame changes the client size, so it is settled before the layout.
    setFrameShape(FullScreen ? QFrame::NoFrame : QFrame::Box);
    const QImage *image = picture();
    ViewGeometry g;
    g.picture = image ? image->size() : QSize();
    g.monitor = Monitor;
    g.scrollOuter = size();
    g.scrollClient = maximumViewportSize();
    g.scaling = Scaling;
    g.fullScreen = FullScreen;
    Layout = ComputeImageLayout(g);
    LaidOutSize = g.picture;
    const Qt::ScrollBarPolicy policy =
        Layout.scrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    updateScrollBars();
    viewport()->update();
}

void ScreenView::updateScrollBars() {
    const QSize area = viewport()->size();
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    h->setRange(0, std::max(0, Layout.content.width() - area.width()));
    h->setPageStep(std::max(1, area.width()));
    v->setRange(0, std::max(0, Layout.content.height() - area.height()));
    v->setPageStep(std::max(1, area.height()));
}

QPoint ScreenView::scrollOffset() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QRect ScreenView::imageRect() const {
    return Layout.image.translated(-scrollOffset());
}

QPoint ScreenView::toRemote(QPoint viewportPos) const {
    const QPoint p = viewportPos - imageRect().topLeft();
    return QPoint(static_cast<int>(std::floor(p.x() / Layout.ScaleX)),
                  static_cast<int>(std::floor(p.y() / Layout.ScaleY)));
}

QRect ScreenView::toViewport(const QRect &remote) const {
    QRect r = remote;
    if (Layout.stretch) {
        // Smoothing reaches into the neighbouring pixels.
        r = QRectF(remote.x() * Layout.ScaleX, remote.y() * Layout.ScaleY,
                   remote.width() * Layout.ScaleX, remote.height() * Layout.ScaleY)
                .toAlignedRect()
                .adjusted(-2, -2, 2, 2);
    }
    return r.translated(imageRect().topLeft()) & viewport()->rect();
}

void ScreenView::pictureChanged(const QRegion &dirty) {
    const bool wasShown = hasPicture();
    Cleared = false;
    const QImage *image = picture();
    if (!image)
        return;
    if (!wasShown || Greyed || image->size() != LaidOutSize) {
        Greyed = false;
        SetImagePosition();
        return;
    }
    QRegion shown;
    for (const QRect &r : dirty & image->rect())
        shown += toViewport(r);
    if (!shown.isEmpty())
        viewport()->update(shown);
}

void ScreenView::screenSizeChanged(const QSize &size) {
    if (size.isEmpty())
        clear();
    else if (picture())
        SetImagePosition();
}

void ScreenView::clear() {
    Cleared = true;
    Greyed = false;
    SetImagePosition();
}

void ScreenView::setGreyed(bool greyed) {
    Greyed = greyed;
    viewport()->update();
}

void ScreenView::paintEvent(QPaintEvent *e) {
    QPainter p(viewport());
    const QRect exposed = e->rect();
    const QImage *image = picture();
    if (!image) {
        p.fillRect(exposed, SessionBackground);
        return;
    }
    const QRect target = imageRect();
    // The background goes only where the picture will not cover it.
    for (const QRect &r : QRegion(exposed) - (Greyed ? QRect() : target))
        p.fillRect(r, SessionBackground);
    const int m = Layout.margin;
    if (Layout.parent == ImageLayout::InPanel && m > 0) {
        const QRect frame = target.adjusted(-m, -m, m, m);
        p.fillRect(frame, PanelFace);
        drawBevel(p, frame, BevelLight, BevelDark);
        if (m >= 2)
            drawBevel(p, target.adjusted(-1, -1, 1, 1), BevelDark, BevelLight);
    }
    if (Greyed) {
        p.fillRect(target & exposed, SessionBackground);
        return;
    }
    if (Layout.stretch) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(target), *image, QRectF(image->rect()));
    } else {
        // Unscaled: pixel for pixel, only the exposed part.
        const QRect part = target & exposed;
        if (!part.isEmpty())
            p.drawImage(part.topLeft(), *image, part.translated(-target.topLeft()));
    }
    ScreenTimeline::mark(ScreenTimeline::Painted);
}

void ScreenView::resizeEvent(QResizeEvent *) {
    // The scale factors follow the view's size, or mouse positions would be translated with
    // factors that no longer match what is shown.
    SetImagePosition();
}

void ScreenView::scrollContentsBy(int, int) {
    viewport()->update();
}

bool ScreenView::viewportEvent(QEvent *e) {
    if (e->type() == QEvent::MouseMove) {
        const QPoint pos = static_cast<QMouseEvent *>(e)->position().toPoint();
        const bool overPicture =
            Layout.parent != ImageLayout::InPanel && imageRect().contains(pos) && hasPicture();
        emit pointerMoved(pos, overPicture);
    }
    if (Input && mouseEvent(e))
        return true;
    return QAbstractScrollArea::viewportEvent(e);
}

namespace {
RemoteInput::Modifiers modifiersOf(Qt::KeyboardModifiers m) {
    return {bool(m & Qt::ShiftModifier), bool(m & Qt::ControlModifier), bool(m & Qt::AltModifier)};
}

RemoteInput::Button buttonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return RemoteInput::Left;
    case Qt::RightButton:
        return RemoteInput::Right;
    case Qt::MiddleButton:
        return RemoteInput::Middle;
    default:
        return RemoteInput::NoButton;
    }
}
} // namespace

// The gestures over the picture, in the picture's own displayed pixels. While a button is held
// the picture keeps the pointer, so moves and the release outside it still count.
bool ScreenView::mouseEvent(QEvent *e) {
    switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        auto *m = static_cast<QMouseEvent *>(e);
        const QPoint pos = m->position().toPoint();
        const bool over = hasPicture() && imageRect().contains(pos);
        const QPoint onPicture = pos - imageRect().topLeft();
        if (e->type() == QEvent::MouseMove) {
            if (over || Input->CurrentButton != RemoteInput::NoButton)
                Input->pointerMoved(onPicture);
            return false;
        }
        const RemoteInput::Button b = buttonOf(m->button());
        if (b == RemoteInput::NoButton)
            return false;
        if (e->type() == QEvent::MouseButtonRelease) {
            if (Input->CurrentButton == RemoteInput::NoButton)
                return false;
            Input->buttonUp(b, over);
        } else {
            if (!over)
                return false;
            Input->pointerMoved(onPicture);
            Input->buttonDown(b, modifiersOf(m->modifiers()),
                              e->type() == QEvent::MouseButtonDblClick);
        }
        m->accept();
        return true;
    }
    case QEvent::Wheel: {
        auto *w = static_cast<QWheelEvent *>(e);
        const bool over = hasPicture() && imageRect().contains(w->position().toPoint());
        if (!Input->wheel(w->angleDelta().y(), modifiersOf(w->modifiers()), over))
            return false;
        w->accept();
        return true;
    }
    default:
        return false;
    }
}

void ScreenView::setPictureCursor(Qt::CursorShape shape) {
    viewport()->setCursor(shape);
}

void ScreenView::scrollTo(QPoint offset) {
    horizontalScrollBar()->setValue(offset.x());
    verticalScrollBar()->setValue(offset.y());
}
