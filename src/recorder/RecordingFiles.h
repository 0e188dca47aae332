#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;

// The files of a recording: the movie's name, the files it is written through, and what is
// left of a recording whose console died.
namespace RecordingFiles {

// The movie of a recording started at `now` in session `key`: the folder, the local date and
// time as "yy-MM-dd_hh'u'mm_", the key and ".avi" (08-03-15_14u05_KEY.avi). A second recording
// started within the same minute gets "_2", "_3", ... before ".avi" rather than overwriting the
// first: a name is taken while its movie exists or is still being written.
QString MovieFileName(const QString &folder, const QDateTime &now, const QString &key);

// A file that a movie is written through, with the lock held beside it while it is written.
struct WorkingFile {
    QString path; // empty on failure
    std::unique_ptr<QLockFile> lock;
};

// A new, empty, uniquely named working file: the hidden partial file beside the movie
// (".NAME.XXXXXX.part"), or the uncompressed temporary file in the system's temporary folder
// ("~AWTemp-NAME.XXXXXX.avi"). Its lock is taken before the file exists, so a recovery running
// meanwhile (another console starting) never sees it unlocked.
WorkingFile CreatePartialFile(const QString &movie);
WorkingFile CreateTemporaryFile(const QString &movie);
// The lock held beside such a file while it is written.
QString LockFileOf(const QString &workingFile);

// What SalvageRecording returns when it kept nothing.
enum SalvageFailure : int {
    NothingToSalvage = -1, // no complete frame could be read: the source holds nothing of value
    SalvageNotWritten = -2 // frames were read but the movie could not be written
};

// Copies every complete frame of a movie that was never finished (no index, no sizes in its
// headers, perhaps a frame cut short) into `movie`, which appears only complete. Returns the
// number of frames kept, or a SalvageFailure (nothing written, `error` set).
int SalvageRecording(const QString &source, const QString &movie, QString *error = nullptr);

struct Recovery {
    QStringList saved; // movies written
    QStringList kept;  // leftovers with frames that could not be saved, left where they are
};

// Partial and temporary files of recordings whose writer is gone (its lock is not held by a
// live process): each is salvaged into its movie in `recordedFolder` when it holds a frame.
// A leftover is removed once salvaged or when it holds no frame; one whose frames could not be
// written (a full disk) stays for the next attempt. Files another console is still writing are
// left alone.
Recovery RecoverLeftoverRecordings(const QString &recordedFolder, const QString &tempFolder);

} // namespace RecordingFiles
