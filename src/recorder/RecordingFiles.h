#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>

// The files of a recording: the movie's name, the files it is written through, and what is
// left of a recording whose console died.
namespace RecordingFiles {

// The movie of a recording started at `now` in session `key`: the folder, the local date and
// time as "yy-MM-dd_hh'u'mm_", the key and ".avi" (08-03-15_14u05_KEY.avi). A second recording
// started within the same minute gets "_2", "_3", ... before ".avi" rather than overwriting the
// first: a name is taken while its movie exists or is still being written.
QString MovieFileName(const QString &folder, const QDateTime &now, const QString &key);

// A new, empty, uniquely named file that a movie is written through: the hidden partial file
// beside the movie (".NAME.XXXXXX.part"), or the uncompressed temporary file in the system's
// temporary folder ("~AWTemp-NAME.XXXXXX.avi"). Empty on failure.
QString CreatePartialFile(const QString &movie);
QString CreateTemporaryFile(const QString &movie);
// The lock held beside such a file while it is written.
QString LockFileOf(const QString &workingFile);

// Copies every complete frame of a movie that was never finished (no index, no sizes in its
// headers, perhaps a frame cut short) into `movie`, which appears only complete. Returns the
// number of frames kept, or -1 (nothing written, `error` set) when none could be read.
int SalvageRecording(const QString &source, const QString &movie, QString *error = nullptr);

// Partial and temporary files of recordings whose writer is gone (its lock is not held by a
// live process): each is salvaged into its movie in `recordedFolder` when it holds a frame, and
// removed either way. Files another console is still writing are left alone. Returns the movies
// written.
QStringList RecoverLeftoverRecordings(const QString &recordedFolder, const QString &tempFolder);

} // namespace RecordingFiles
