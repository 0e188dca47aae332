#pragma once
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QLockFile;

// The movie writer: frames in, an AVI movie (RIFF AVI, one video stream, no sound) out. The
// installed compressors are FFmpeg's encoders of the FourCCs the console knows; the file is
// written by libavformat's AVI muxer, which switches to OpenDML (AVIX chunks and the "indx"
// super index) once the file outgrows the 1 GB of AVI 1.0, so long recordings stay playable.
//
// Every failure is reported by the method's false result and errorString(), in the fixed
// English texts of the writer. One thread at a time: the recorder fills it on its worker.
//
// Files: the movie is never written in place. With a codec ("on the fly") frames go to a
// hidden partial file beside `filename`; without one they go uncompressed to a uniquely named
// temporary file in the system's temporary folder, copied into `filename` at the end. Either
// way `filename` appears only complete, by an atomic rename. While it is written, a leftover is
// locked (QLockFile beside it), so that after a crash RecoverLeftoverRecordings (RecordingFiles)
// can tell an orphan from a file another console is still writing.
class TAviWriter_2 {
public:
    enum PixelFormatValue : int {
        pfDevice = 0,
        pf1bit = 1,
        pf4bit = 4,
        pf8bit = 8,
        pf24bit = 24,
        pf32bit = 32
    };

    TAviWriter_2();
    ~TAviWriter_2();
    TAviWriter_2(const TAviWriter_2 &) = delete;
    TAviWriter_2 &operator=(const TAviWriter_2 &) = delete;

    // Properties; the defaults follow the primary screen (a tenth of its size).
    int Height = 0;
    int Width = 0;
    int FrameTime = 1000; // milliseconds per frame
    bool Stretch = true;
    QString filename;
    // With a codec, frames are compressed as they come and written towards `filename`;
    // without, they are kept uncompressed in the temporary file until FinishMovie.
    bool OnTheFly = true;
    // Raised after every 20th frame; setting abort stops adding frames.
    std::function<void(int frameCount, bool &abort)> OnProgress;
    // Called on the writing thread before each frame is encoded.
    std::function<void(int frameIndex)> OnFrameEncoding;

    // 8, 24 and 32 bits per pixel are written; pfDevice is accepted here and refused by
    // StartMovie. Anything else fails with "Pixelformat not supported".
    bool setPixelFormat(int bits);
    int pixelFormat() const { return PixelFormat; }

    // "No Compression", then "FOURCC name" for each known encoder that accepts frames of the
    // current Width, Height and pixel format.
    QStringList ListCodecs();
    // Up to 4 characters; empty selects no compression.
    bool SelectCodec(const QString &fourCC);
    QString codec() const { return Codec; }
    // 0 to 10000; 5000 by default.
    void SetCodecQuality(int quality);

    bool StartMovie();
    // `slot` is the frame's position on the movie's time line in frames; -1 takes the one
    // after the last. A skipped slot shows the previous frame for its duration.
    bool WriteFrame(const QImage &bitmap, qint64 slot = -1);
    bool EndFrames();
    bool FinishMovie();

    QString errorString() const { return Error; }
    int frameCount() const { return FrameCount; }
    bool initialized() const { return Initialized; }
    // The file could not be written any more (a full disk, a lost device, an encoder that
    // refused the frames' size): frames can only be lost from here on.
    bool fileFailed() const;
    // Where the frames go while the movie is written (the partial or the temporary file).
    QString workingFile() const { return Target; }
    // After a FinishMovie that failed and could not save the frames into a movie either: the
    // working file, left in place with every frame. Empty otherwise.
    QString keptFile() const { return KeptFile; }

    // Options given to the AVI muxer, for the record.
    static QString muxerOptions();

private:
    bool fail(const QString &text);
    bool openEncoder(QSize size);
    bool writeHeader(QSize size);
    bool encode(const QImage &working, qint64 slot);
    bool writePacket(struct AVPacket *packet);
    bool drainEncoder(bool flush);
    QImage workingBitmap(const QImage &source) const;
    void closeWorkingFile(bool keep);
    bool publish();

    int PixelFormat = pf24bit;
    QString Codec;
    int Quality = 5000;
    int FrameCount = 0;
    qint64 LastSlot = -1;
    bool Aborted = false;
    bool Initialized = false;
    bool NeedsFinishing = false;
    bool HeaderWritten = false;
    bool HeaderRefused = false;
    bool WriteFailed = false;
    QSize FrameSize;
    QString Target;
    QString Error;
    QString KeptFile;
    std::unique_ptr<QLockFile> TargetLock;

    struct Av;
    std::unique_ptr<Av> av;
};

// Delphi's Round: halves go to the even neighbour.
int RoundHalfEven(double value);
