#pragma once
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTimer>

#include <memory>

// Plays a movie into pictures, for the player window: libavformat reads it and libavcodec
// decodes it, so every codec the recorder writes plays, the uncompressed 8-bit one included
// (Qt Multimedia 6.4 shows those garbled). It keeps its own clock, seeks in milliseconds and
// reports the end, as the media control the player was built on did. Pictures only: no sound
// device is ever opened. Main thread; the movies are a few frames a second.
class MoviePlayback : public QObject {
    Q_OBJECT
public:
    enum Mode { NotOpen, Stopped, Playing, Paused };

    explicit MoviePlayback(QObject *parent = nullptr);
    ~MoviePlayback() override;

    // False when the file is not a movie this can play; nothing stays open then.
    bool open(const QString &path);
    void close();
    Mode mode() const { return State; }
    QSize naturalSize() const { return Size; }
    qint64 length() const { return LengthMs; } // milliseconds
    qint64 position() const;                   // milliseconds
    // The picture of the current position; null before the first.
    const QImage &picture() const { return Picture; }

    // Plays from the current position (from the start when it is at the end).
    void play();
    void pause();
    // Stops where it is.
    void stop();
    // Shows the picture of that moment; playing goes on from there.
    void seek(qint64 milliseconds);

signals:
    void pictureChanged();
    // The position reached the end: the movie stopped there.
    void ended();

private:
    void tick();
    bool decodeNext(); // the next picture into Pending; false at the end
    qint64 clockPosition() const;

    struct Av;
    std::unique_ptr<Av> av;
    Mode State = NotOpen;
    QSize Size;
    qint64 LengthMs = 0;
    qint64 BaseMs = 0; // the position when the clock (re)started or the movie stopped
    QElapsedTimer Clock;
    QTimer Ticker;
    QImage Picture;
    QImage Pending; // decoded, due at PendingMs
    qint64 PendingMs = -1;
    bool AtEnd = false; // nothing left to decode
};
