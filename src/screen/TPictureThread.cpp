#include "screen/TPictureThread.h"
#include "screen/ScreenTimeline.h"

TPictureThread::TPictureThread(QObject *parent) : QThread(parent) {
    setObjectName(QStringLiteral("TPictureThread"));
}

TPictureThread::~TPictureThread() {
    End();
    wait();
}

bool TPictureThread::Start(PictureJob job) {
    QMutexLocker lock(&m_mutex);
    if (m_end || m_job)
        return false;
    m_job = std::move(job);
    m_wake.wakeOne();
    return true;
}

void TPictureThread::End() {
    QMutexLocker lock(&m_mutex);
    m_end = true;
    m_wake.wakeOne();
}

bool TPictureThread::Ended() const {
    QMutexLocker lock(&m_mutex);
    return m_end;
}

std::optional<PictureResult> TPictureThread::TakeResult() {
    QMutexLocker lock(&m_mutex);
    std::optional<PictureResult> r = std::move(m_result);
    m_result.reset();
    return r;
}

void TPictureThread::run() {
    ScreenDecoder decoder;
    for (;;) {
        std::optional<PictureJob> job;
        {
            QMutexLocker lock(&m_mutex);
            while (!m_job && !m_end)
                m_wake.wait(&m_mutex);
            if (!m_job)
                return;
            job = std::move(m_job);
            m_job.reset();
        }
        // The job (with its body and its shared copy of the shown picture) is gone before the
        // main thread hears of the result, so applying it never copies the picture.
        ScreenTimeline::mark(ScreenTimeline::DecodeStarted);
        PictureResult result = decoder.run(std::move(*job));
        job.reset();
        ScreenTimeline::mark(ScreenTimeline::DecodeDone);
        {
            QMutexLocker lock(&m_mutex);
            m_result = std::move(result);
        }
        emit jobDone();
    }
}
