#pragma once
#include "recorder/RecorderFrames.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class TAviWriter_2;

// Runs one movie writer on a thread of its own, so that reducing, encoding and writing the
// frames never holds up the screen: the main thread only copies the picture. The queue holds
// at most `capacity` frames; a frame offered while it is full is dropped (the movie shows the
// frame before it a little longer) instead of piling up behind a slow encoder.
class RecordingWorker : public QObject {
    Q_OBJECT
public:
    struct Frame {
        QImage picture; // a copy of the shown picture
        qint64 slot = -1;
        PointerMarks marks;
    };

    // Takes a writer on which StartMovie succeeded.
    explicit RecordingWorker(std::unique_ptr<TAviWriter_2> writer, int capacity = 2,
                             QObject *parent = nullptr);
    // Finishes the movie (waiting for it) if finish() was not called.
    ~RecordingWorker() override;

    // False when the frame was dropped (queue full, writing over or failed).
    bool canAccept() const;
    bool submit(Frame frame);
    // No more frames: the queued ones are written, then the movie is finished on the worker;
    // finished() follows.
    void finish();
    void waitFinished();

    int framesWritten() const;
    int framesDropped() const;
    QString movie() const { return Movie; }
    // Once finished: the working file left with the frames when no movie could be saved.
    QString keptFile() const;

signals:
    // The file cannot be written any more; no frame will reach it.
    void writeFailed(const QString &error);
    void finished(bool ok, const QString &error);

private:
    void run();

    std::unique_ptr<TAviWriter_2> Writer;
    const int Capacity;
    const QString Movie;
    mutable std::mutex Mutex;
    std::condition_variable Wake;
    std::deque<Frame> Queue;
    bool Finishing = false;
    bool Failed = false;
    int Written = 0;
    int Dropped = 0;
    QString Kept;
    std::thread Thread;
};
