#pragma once
#include "screen/ScreenDecoder.h"

#include <QImage>
#include <QRegion>

// The one picture of the remote screen the console shows, in the display format: full
// pictures replace it, whole-screen updates and rectangle lists are drawn into it, so a later
// update or a change of colour depth never brings back pixels older than the last update.
// Lives on the main thread; applying a result only copies finished pixels.
class ScreenFrame {
public:
    const QImage &picture() const { return m_picture; }
    // The depth its colours are reduced to: 4 or 8, or 15 for "as received".
    int depth() const { return m_depth; }
    // True when an update at `depth` must first bring the whole picture to that depth.
    bool needsConversion(int depth) const {
        return (depth == 4 || depth == 8) && depth != m_depth && !m_picture.isNull();
    }

    struct Applied {
        QRegion dirty;
        bool sizeChanged = false;
    };
    // Applies a finished job (its result is consumed); a failed one changes nothing.
    Applied apply(PictureResult &&result);
    // No picture (session reset); true when there was one.
    bool clear();

private:
    QImage m_picture;
    int m_depth = 15;
};
