#pragma once
#include <QByteArray>
#include <QFuture>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

class QTemporaryDir;

namespace hostside {

// The remote computer's files as the file transfer sees them: drives, each a folder of this
// computer (the simulated host's C: and D: are two folders of a sandbox; the real host maps the
// user's home and the mounted volumes), listed in the host's text forms ("Drvs", "Gdir"/"Gfil"
// lists), with folder creation and renaming ("Cdir", "Rdir") and the host's side of both transfers:
// "Sfil" stores a file on the gateway for the console (zlib unless the name came with "/") with
// "SfSt" progress, and an upload ("13") is fetched into its folder with "RfSt" progress. The
// file work runs on a worker, as a host does it next to its messages.
//
// A remote path never leaves its drive: a part that is no safe file name ("..", ".", "/", ":",
// control characters, device names) is refused, and so is a path that a symbolic link leads
// out of the drive's folder.
class HostFiles : public QObject {
    Q_OBJECT
public:
    struct Drive {
        QString letter; // "C"
        QString root;   // the local folder the drive shows
        int kind = 3;   // the digit "Drvs" gives the console
    };

    // `sandbox` empty: a temporary folder that goes with the object. Drives C: and D:.
    explicit HostFiles(const QString &sandbox, QObject *parent = nullptr);
    // These drives; the first is the one the console opens first.
    explicit HostFiles(const QList<Drive> &drives, QObject *parent = nullptr);
    ~HostFiles() override;

    // The sandbox (empty for a drive table given).
    QString root() const { return m_root; }
    const QList<Drive> &drives() const { return m_drives; }
    // A new table (volumes come and go); paths are mapped by it from the next command on.
    void setDrives(const QList<Drive> &drives);
    // The local path of a remote one ("C:\Temp" -> root/C/Temp); empty when it is no path in a
    // drive or would leave it.
    QString localPath(const QString &remotePath) const;

    // A console command; false when it is none of the file commands.
    bool command(const QByteArray &cmd, const QByteArray &param);
    // The console's upload arrived on the gateway ("13"): `name` with a leading "/" travelled
    // as it is, any other through zlib.
    void uploaded(const QByteArray &folder, const QByteArray &name, const QByteArray &body);
    // What the console fetches from "Files/".
    std::optional<QByteArray> storedFile(const QByteArray &name) const;
    // false: a stored file is handed out through `fileStored` only and not kept here (a host
    // whose gateway keeps it).
    void setKeepStored(bool keep) { m_keepStored = keep; }

    // Faults on demand.
    // Takes transfers and then says nothing more, like a host that went away mid-transfer.
    void setStalled(bool stalled) { m_stalled = stalled; }
    // View only: the host tells the console ("VwOy"/"GrCt") and refuses transfers.
    void setViewOnly(bool viewOnly);
    // File listings also carry names that would leave a folder ("../x", "a/b", "CON\x01").
    void setHostileNames(bool hostile) { m_hostileNames = hostile; }
    // The next stored file: its zlib body damaged, cut short (with the size of what is left),
    // or announced larger than it is.
    enum class BodyFault { None, Corrupt, Truncated, SizeMismatch };
    void setBodyFault(BodyFault fault) { m_bodyFault = fault; }
    // The next "Sfil" names this file instead of the one asked for.
    void setAnnouncedName(const QByteArray &name) { m_announcedName = name; }
    // The answers to the next `count` commands `cmd` ("Gfil", "Cdir", ...) come `ms` later, or
    // never when `ms` < 0. File commands that come meanwhile wait behind them and are carried
    // out `ms` / 5 after the late answer: a host does one thing after another.
    void setLateAnswers(const QByteArray &cmd, int ms, int count = 1);
    // Runs of the worker still going (tests wait for them).
    int workRunning() const;

signals:
    void message(const QByteArray &text);
    void listDeposit(const QByteArray &zlibBody);
    // A file stored for the console, emitted before the "Sfil" message that names it.
    void fileStored(const QByteArray &name, const QByteArray &body);

private:
    void carryOut(const QByteArray &cmd, const QByteArray &param);
    void answerLate(const QByteArray &cmd, const QByteArray &param);
    void sendDrives();
    void sendList(const QByteArray &kind, const QByteArray &encodedPath);
    void createFolder(const QByteArray &path);
    void renameFolder(const QByteArray &param);
    void storeForConsole(const QByteArray &param);
    void storeDone(const QByteArray &name, const QByteArray &body, const QString &error);
    template <typename Work> void runWork(Work work);
    void progress(const QByteArray &status);
    // Progress of a worker's pass over `total` bytes as "<prefix>P<percent>", offset into
    // [from, to]: at every tenth of the way, and again at least every few seconds while the
    // pass goes on, so a large file on a slow disk never looks stalled to the console.
    std::function<void(qint64)> progressReporter(const QByteArray &prefix, qint64 total, int from,
                                                 int to);

    const Drive *driveOf(const QString &letter) const;

    std::unique_ptr<QTemporaryDir> m_tempDir;
    QString m_root;
    QList<Drive> m_drives;
    bool m_keepStored = true;
    QHash<QByteArray, QByteArray> m_stored;
    QList<QFuture<void>> m_work;
    std::shared_ptr<std::atomic<bool>> m_cancel = std::make_shared<std::atomic<bool>>(false);
    bool m_stalled = false;
    bool m_viewOnly = false;
    bool m_hostileNames = false;
    BodyFault m_bodyFault = BodyFault::None;
    QByteArray m_announcedName;
    QByteArray m_lateCommand;
    int m_lateMs = 0;
    int m_lateCount = 0;
    bool m_holding = false; // a late answer is on its way: commands wait behind it
    QList<std::pair<QByteArray, QByteArray>> m_backlog;
};

} // namespace hostside
