#pragma once
#include "screen/ScreenDecoder.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <optional>

// The decoding worker: one job at a time, off the user interface thread. It sleeps on a wait
// condition until it is given a job or told to end; a finished job is reported with jobDone()
// (delivered to the main thread through its event loop) and collected with TakeResult(). It
// never touches the shown picture: the main thread applies what it produced.
class TPictureThread : public QThread {
    Q_OBJECT
public:
    explicit TPictureThread(QObject *parent = nullptr);
    // Tells the thread to end and waits for the job in hand, which is bounded.
    ~TPictureThread() override;

    // Wakes the worker with a job; false (the job is not taken) while one is in hand or the
    // worker was told to end.
    bool Start(PictureJob job);
    // Tells the worker to end: it finishes the job in hand, if any, and the thread ends.
    void End();
    bool Ended() const;
    // The result of the finished job, once.
    std::optional<PictureResult> TakeResult();

signals:
    void jobDone();

protected:
    void run() override;

private:
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    std::optional<PictureJob> m_job;
    std::optional<PictureResult> m_result;
    bool m_end = false;
};
