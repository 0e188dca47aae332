#pragma once
#include "screen/BmpDecoder.h"
#include "screen/PictureInflater.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

// What the decoding worker is given at hand-over.
struct PictureJob {
    enum Mode : quint8 { FullPicture = 0, WholeScreenUpdate = 1, RectangleList = 2 };

    quint64 generation = 0; // results of an older generation are not applied
    quint8 DecodeMode = FullPicture;
    QByteArray ReceivedData; // the fetched body (a zlib stream)
    int ColorDepth = 15;     // 4, 8 or 15, in force at hand-over
    // Updates: the shown picture, a shared copy the worker only reads (updates are clipped to
    // it; many overlapping rectangles are drawn into a copy of it instead of into patches).
    QImage frame;
    // Updates: the shown picture's colours are not reduced to ColorDepth yet; the result
    // brings the whole picture to that depth.
    bool convertFrame = false;
};

// Finished pixels, in the shown picture's coordinates, inside its rectangle.
struct ScreenPatch {
    QPoint at;
    QImage pixels; // Format_RGB32
};

// What a job produced, applied on the main thread by ScreenFrame.
struct PictureResult {
    quint64 generation = 0;
    quint8 mode = PictureJob::FullPicture;
    int depth = 15;
    bool ok = false;
    QString failure;            // why the body or some records were dropped
    QImage replacement;         // a whole new picture (full picture, or a depth conversion)
    QList<ScreenPatch> patches; // drawn after the replacement, in order
    int records = 0;            // rectangle list: records read
    int recordsDropped = 0;     // rectangle list: records whose image was refused
};

// The decoding work of one job, without any thread: inflate (bounded by what the screen can
// hold), parse and convert straight into the display format. Used by TPictureThread, the
// benchmark and the tests. Holds the inflater and the colour tables, so it belongs to one
// thread.
class ScreenDecoder {
public:
    // Trailing bytes a picture's stream may carry after the pixel rows.
    static constexpr qsizetype kTrailingSlack = 64 * 1024;

    PictureResult run(PictureJob job);

    // The bound for inflating a rectangle list drawn on a screen of `screen` pixels: room for
    // every pixel twice at 32 bits per pixel, plus headers.
    static qsizetype rectListBound(QSize screen);

private:
    std::optional<QByteArray> inflatePicture(const QByteArray &body, QString *why);
    void runFull(PictureJob &job, PictureResult &r);
    void runWholeScreen(PictureJob &job, PictureResult &r);
    void runRectangleList(PictureJob &job, PictureResult &r);

    PictureInflater m_inflater;
    BmpDecoder m_bmp;
    qsizetype m_lastListSize = 0;
};
