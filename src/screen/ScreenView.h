#pragma once
#include "screen/ScreenLayout.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>

#include <functional>

class RemoteInput;

// The remote screen in the main window: unscaled and scrolled, centred in a framed panel when
// it fits, or scaled to the view (proportionally or stretched both ways). It reads the one
// picture the screen pipeline keeps and repaints only what changed.
class ScreenView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ScreenView(QWidget *parent = nullptr);

    // Where the picture comes from; read on every paint, on the main thread.
    void setPictureSource(std::function<const QImage &()> source);
    void setScaling(int scaling);
    int scaling() const { return Scaling; }
    // Full-screen mode: no frame, never scaled, and an exact fit sits at the top left corner.
    void setFullScreen(bool on, QSize monitor);
    bool fullScreen() const { return FullScreen; }

    // Lays the picture out again and repaints.
    void SetImagePosition();
    const ImageLayout &imageLayout() const { return Layout; }
    float ScaleX() const { return Layout.ScaleX; }
    float ScaleY() const { return Layout.ScaleY; }
    // The shown picture in viewport coordinates (scroll position applied).
    QRect imageRect() const;
    // A viewport position on the picture in remote-screen pixels (divided by the scale).
    QPoint toRemote(QPoint viewportPos) const;
    QPoint scrollOffset() const;

    bool hasPicture() const;
    // Mouse gestures over the picture go to `input` (positions relative to the picture).
    void setRemoteInput(RemoteInput *input) { Input = input; }
    // The cursor over the picture (the remote screen's cursor shape).
    void setPictureCursor(Qt::CursorShape shape);
    // Scrolls so that the content's point `offset` is at the viewport's top left.
    void scrollTo(QPoint offset);
    // The remote computer is rebooting: the picture shows grey until the next one arrives.
    void setGreyed(bool greyed);
    bool greyed() const { return Greyed; }

public slots:
    // The part of the picture (in remote pixels) that changed.
    void pictureChanged(const QRegion &dirty);
    // A new size of the remote screen; an empty one means the picture is gone.
    void screenSizeChanged(const QSize &size);
    // No picture any more: the view paints its background only.
    void clear();

signals:
    // In viewport coordinates; overPicture when the pointer is on the picture and the picture
    // is not inside the framed panel.
    void pointerMoved(QPoint viewportPos, bool overPicture);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent *e) override;

private:
    const QImage *picture() const;
    void updateScrollBars();
    QRect toViewport(const QRect &remote) const;
    bool mouseEvent(QEvent *e);

    std::function<const QImage &()> Source;
    ImageLayout Layout;
    QSize LaidOutSize; // picture size the layout was made for
    int Scaling = 0;
    bool FullScreen = false;
    QSize Monitor;
    bool Cleared = true;
    bool Greyed = false;
    RemoteInput *Input = nullptr;
};
