#include "recorder/RecordingWorker.h"

#include "recorder/AviWriter_2.h"

RecordingWorker::RecordingWorker(std::unique_ptr<TAviWriter_2> writer, int capacity,
                                 QObject *parent)
    : QObject(parent), Writer(std::move(writer)), Capacity(qMax(1, capacity)),
      Movie(Writer->filename) {
    Thread = std::thread([this] { run(); });
}

RecordingWorker::~RecordingWorker() {
    finish();
    waitFinished();
}

bool RecordingWorker::canAccept() const {
    std::lock_guard lock(Mutex);
    return !Finishing && !Failed && int(Queue.size()) < Capacity;
}

bool RecordingWorker::submit(Frame frame) {
    {
        std::lock_guard lock(Mutex);
        if (Finishing || Failed || int(Queue.size()) >= Capacity) {
            ++Dropped;
            return false;
        }
        Queue.push_back(std::move(frame));
    }
    Wake.notify_one();
    return true;
}

void RecordingWorker::finish() {
    {
        std::lock_guard lock(Mutex);
        Finishing = true;
    }
    Wake.notify_one();
}

void RecordingWorker::waitFinished() {
    if (Thread.joinable())
        Thread.join();
}

int RecordingWorker::framesWritten() const {
    std::lock_guard lock(Mutex);
    return Written;
}

int RecordingWorker::framesDropped() const {
    std::lock_guard lock(Mutex);
    return Dropped;
}

QString RecordingWorker::keptFile() const {
    std::lock_guard lock(Mutex);
    return Kept;
}

void RecordingWorker::run() {
    for (;;) {
        Frame frame;
        {
            std::unique_lock lock(Mutex);
            Wake.wait(lock, [this] { return Finishing || !Queue.empty(); });
            if (Queue.empty())
                break; // finishing, and everything queued is written
            frame = std::move(Queue.front());
            Queue.pop_front();
        }
        DrawPointerMarks(frame.picture, frame.marks);
        // The frame gives the movie its size (the first one fixes it).
        Writer->Width = frame.picture.width();
        Writer->Height = frame.picture.height();
        // A frame that cannot be written is lost and the recording goes on, unless the file
        // itself failed: then nothing more can reach it.
        const bool ok = Writer->WriteFrame(frame.picture, frame.slot);
        bool failedNow = false;
        {
            std::lock_guard lock(Mutex);
            if (ok)
                ++Written;
            if (!ok && Writer->fileFailed() && !Failed) {
                failedNow = Failed = true;
                Dropped += int(Queue.size());
                Queue.clear();
            }
        }
        if (failedNow)
            emit writeFailed(Writer->errorString());
    }
    bool ok = Writer->EndFrames() && Writer->FinishMovie();
    const QString error = ok ? QString() : Writer->errorString();
    {
        std::lock_guard lock(Mutex);
        Kept = Writer->keptFile();
    }
    emit finished(ok, error);
}
