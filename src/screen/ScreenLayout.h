#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the remote picture goes in the screen view and by how much it is scaled. Pure
// arithmetic, so the view, the mouse translation and the tests share one definition.

// What the layout depends on.
struct ViewGeometry {
    QSize picture;      // the remote picture (pw, ph)
    QSize monitor;      // the primary monitor (mw, mh), used in full-screen mode
    QSize scrollOuter;  // the scroll box's outer size, frame included
    QSize scrollClient; // the scroll box's client size without scroll bars
    int scaling = 0;    // 0 none, 1 proportional, 2 full
    bool fullScreen = false;
};

struct ImageLayout {
    // What holds the picture: the window itself (full screen, exact fit, no frame at all), the
    // scroll box (top left, scrolling) or the framed panel centred in the scroll box.
    enum Parent : quint8 { InWindow, InScrollBox, InPanel };
    Parent parent = InScrollBox;
    bool stretch = false;
    bool scrollBars = true; // the scroll box may show scroll bars
    // From remote pixels to shown pixels; never 0, since mouse positions are divided by them.
    float ScaleX = 1.0f;
    float ScaleY = 1.0f;
    QRect image; // the shown picture, in the scroll box's content coordinates
    QRect panel; // the framed panel (InPanel only)
    int margin = 0;
    QSize content; // what the scroll box scrolls over
};

ImageLayout ComputeImageLayout(const ViewGeometry &g);

// The full-screen toolbar comes down when the pointer is within `depth` pixels of the top edge
// and inside the toolbar's horizontal span, the toolbar being centred on an area of
// `areaWidth` pixels.
bool InRevealZone(QPoint pointer, int areaWidth, int headerWidth, int depth);

// One 50 ms step of the toolbar's slide: the new top, and whether the slide is over (then the
// top is left unchanged). Fast while far from the resting place, slow near the top edge.
struct SlideStep {
    int top;
    bool finished;
};
SlideStep HeaderSlideStep(int top, int height, bool slidingDown);

// Whether the remote screen already matches the local monitor within 10 pixels both ways.
bool RemoteFitsMonitor(QSize remote, QSize monitor);
