#include "HostFiles.h"

#include "common/Cp1252.h"
#include "common/RemoteNames.h"
#include "common/Zlib.h"
#include "transfer/FileStreams.h"
#include "transfer/uFileUtils.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace hostside {

namespace {
const char *const kSandboxDrives[] = {"C", "D"};
// The host keeps a stored file in memory until the console fetched it.
constexpr qint64 kMaxStoredFile = qint64(8) << 30;

// Splits "folder&name" where the folder may hold "&" itself: the folder the console sends ends
// in "\", so the first "\&" separates them; without one the first "&" does.
std::pair<QByteArray, QByteArray> splitFolderAndName(const QByteArray &param) {
    qsizetype at = param.indexOf("\\&");
    if (at >= 0)
        return {param.left(at + 1), param.mid(at + 2)};
    at = param.indexOf('&');
    if (at < 0)
        return {param, {}};
    return {param.left(at), param.mid(at + 1)};
}

// True when `path` stays inside `root` once every symbolic link on the way is followed. A path
// that does not exist yet is judged by its nearest existing ancestor; a dangling link is
// refused, since writing through it would create its target wherever it points.
bool staysInside(const QString &path, const QString &root) {
    const QString top = QFileInfo(root).canonicalFilePath();
    if (top.isEmpty())
        return false;
    QString p = path;
    while (p.size() >= root.size()) {
        const QFileInfo info(p);
        if (info.exists()) {
            const QString real = info.canonicalFilePath();
            return real == top ||
                   real.startsWith(top.endsWith(QLatin1Char('/')) ? top : top + QLatin1Char('/'));
        }
        if (info.isSymLink())
            return false;
        const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            break;
        p.truncate(slash);
    }
    return false;
}
} // namespace

HostFiles::HostFiles(const QString &sandbox, QObject *parent) : QObject(parent) {
    if (sandbox.isEmpty()) {
        m_tempDir = std::make_unique<QTemporaryDir>();
        m_root = m_tempDir->path();
    } else {
        m_root = QDir(sandbox).absolutePath();
    }
    for (const char *d : kSandboxDrives) {
        const QString folder = m_root + QLatin1Char('/') + QLatin1String(d);
        QDir().mkpath(folder);
        m_drives.append({QLatin1String(d), folder, 3});
    }
}

HostFiles::HostFiles(const QList<Drive> &drives, QObject *parent) : QObject(parent) {
    setDrives(drives);
}

void HostFiles::setDrives(const QList<Drive> &drives) {
    m_drives = drives;
    for (Drive &d : m_drives) {
        d.letter = d.letter.left(1).toUpper();
        d.root = QDir(d.root).absolutePath();
    }
}

const HostFiles::Drive *HostFiles::driveOf(const QString &letter) const {
    for (const Drive &d : m_drives)
        if (d.letter == letter)
            return &d;
    return nullptr;
}

HostFiles::~HostFiles() {
    *m_cancel = true;
    for (QFuture<void> &f : m_work)
        f.waitForFinished();
}

int HostFiles::workRunning() const {
    int n = 0;
    for (const QFuture<void> &f : m_work)
        n += f.isFinished() ? 0 : 1;
    return n;
}

template <typename Work> void HostFiles::runWork(Work work) {
    m_work.removeIf([](const QFuture<void> &f) { return f.isFinished(); });
    m_work.append(QtConcurrent::run(std::move(work)));
}

void HostFiles::progress(const QByteArray &status) {
    // From the worker: the message goes out on the host's own thread.
    QMetaObject::invokeMethod(
        this, [this, status] { emit message(status); }, Qt::QueuedConnection);
}

std::function<void(qint64)> HostFiles::progressReporter(const QByteArray &prefix, qint64 total,
                                                        int from, int to) {
    constexpr qint64 kKeepAliveMs = 5000;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto reported = std::make_shared<int>(from);
    return [this, prefix, total, from, to, clock, reported](qint64 done) {
        const int percent = total > 0 ? from + int(qMin(done, total) * (to - from) / total) : to;
        if (percent >= to)
            return; // the end is reported by the caller, once the result is known
        if (percent / 10 > *reported / 10 || clock->elapsed() >= kKeepAliveMs) {
            *reported = percent;
            clock->restart();
            progress(prefix + "P" + QByteArray::number(percent));
        }
    };
}

QString HostFiles::localPath(const QString &remotePath) const {
    if (remotePath.size() < 2 || remotePath[1] != QLatin1Char(':'))
        return {};
    const Drive *drive = driveOf(remotePath.left(1).toUpper());
    if (!drive)
        return {};
    QString path = drive->root;
    const QStringList parts = remotePath.mid(2).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (!IsSafeRemoteFileName(part))
            return {};
        path += QLatin1Char('/') + part;
    }
    return staysInside(path, drive->root) ? path : QString();
}

bool HostFiles::command(const QByteArray &cmd, const QByteArray &param) {
    if (cmd != "Drvs" && cmd != "Gdir" && cmd != "Gfil" && cmd != "Cdir" && cmd != "Rdir" &&
        cmd != "Sfil")
        return false;
    if (m_holding) {
        m_backlog.append({cmd, param});
        return true;
    }
    if (cmd == m_lateCommand && m_lateCount > 0) {
        --m_lateCount;
        answerLate(cmd, param);
        return true;
    }
    carryOut(cmd, param);
    return true;
}

void HostFiles::setLateAnswers(const QByteArray &cmd, int ms, int count) {
    m_lateCommand = cmd;
    m_lateMs = ms;
    m_lateCount = count;
}

void HostFiles::answerLate(const QByteArray &cmd, const QByteArray &param) {
    if (m_lateMs < 0)
        return; // never answered
    m_holding = true;
    const int ms = m_lateMs;
    QTimer::singleShot(ms, this, [this, cmd, param, ms] {
        carryOut(cmd, param);
        QTimer::singleShot(ms / 5, this, [this] {
            m_holding = false;
            for (const auto &[c, p] : std::exchange(m_backlog, {}))
                command(c, p);
        });
    });
}

void HostFiles::carryOut(const QByteArray &cmd, const QByteArray &param) {
    if (cmd == "Drvs")
        sendDrives();
    else if (cmd == "Gdir" || cmd == "Gfil")
        sendList(cmd, param);
    else if (cmd == "Cdir")
        createFolder(param);
    else if (cmd == "Rdir")
        renameFolder(param);
    else if (cmd == "Sfil")
        storeForConsole(param);
}

void HostFiles::setViewOnly(bool viewOnly) {
    m_viewOnly = viewOnly;
    emit message(viewOnly ? "VwOy" : "GrCt");
}

void HostFiles::sendDrives() {
    QByteArray list;
    for (const Drive &d : std::as_const(m_drives))
        list += d.letter.toLatin1() + ":" + QByteArray::number(qBound(0, d.kind, 9)) + "-";
    emit message(list.isEmpty() ? QByteArray("Drvs")
                                : "Drvs?" + m_drives.first().letter.toLatin1() + ":-" + list);
}

void HostFiles::sendList(const QByteArray &kind, const QByteArray &encodedPath) {
    const QString folder = localPath(fromCp1252(QByteArray::fromPercentEncoding(encodedPath)));
    QStringList entries;
    if (!folder.isEmpty()) {
        if (kind == "Gdir")
            ListSubfolders(folder, entries);
        else
            ListFiles(folder, entries);
    }
    QByteArrayList lines;
    for (const QString &e : std::as_const(entries))
        lines.append(toCp1252(e));
    if (kind == "Gfil" && m_hostileNames)
        lines << "../x/10/32"
              << "a/b/10/32" << QByteArray("CON\x01/10/32");
    if (lines.isEmpty())
        lines.append("%Empty%");
    emit listDeposit(Zlib::deflate(lines.join("\r\n") + "\r\n"));
    emit message("Strl" + kind);
}

void HostFiles::createFolder(const QByteArray &path) {
    const QString folder = localPath(fromCp1252(path));
    if (folder.isEmpty()) {
        emit message("Cdir?Invalid path");
        return;
    }
    if (QFileInfo::exists(folder)) {
        emit message("Cdir?Folder already exists");
        return;
    }
    emit message(QDir().mkdir(folder) ? QByteArray("Cdir?OK")
                                      : QByteArray("Cdir?Folder could not be created"));
}

void HostFiles::renameFolder(const QByteArray &param) {
    // "old&new", both full paths: the new one is the "&" that a drive follows.
    qsizetype at = -1;
    for (qsizetype i = param.size() - 3; i >= 0; --i) {
        if (param[i] == '&' && QChar::isLetter(uchar(param[i + 1])) && param[i + 2] == ':') {
            at = i;
            break;
        }
    }
    const QString from = at < 0 ? QString() : localPath(fromCp1252(param.left(at)));
    const QString to = at < 0 ? QString() : localPath(fromCp1252(param.mid(at + 1)));
    if (from.isEmpty() || to.isEmpty() || !QFileInfo(from).isDir() || QFileInfo::exists(to)) {
        emit message("Rdir?Folder could not be renamed");
        return;
    }
    emit message(QDir().rename(from, to) ? QByteArray("Rdir?OK")
                                         : QByteArray("Rdir?Folder could not be renamed"));
}

void HostFiles::storeForConsole(const QByteArray &param) {
    // Plain variables: clang before 16 cannot capture structured bindings in the worker.
    const auto split = splitFolderAndName(param);
    const QByteArray folder = split.first;
    QByteArray name = split.second;
    const bool plain = name.startsWith('/');
    if (plain)
        name.remove(0, 1);
    if (m_viewOnly) {
        emit message("SfSt?NOK:View only mode");
        return;
    }
    if (m_stalled)
        return;
    const QString folderPath = localPath(fromCp1252(folder));
    const QString fileName = fromCp1252(name);
    if (folderPath.isEmpty() || !IsSafeRemoteFileName(fileName)) {
        emit message("SfSt?NOK:Invalid file name");
        return;
    }
    // The file itself may be a link: it is judged as a path of its drive.
    const QString path = localPath(fromCp1252(folder) + QLatin1Char('\\') + fileName);
    if (path.isEmpty()) {
        emit message("SfSt?NOK:Invalid file name");
        return;
    }
    emit message("SfSt?P0");
    runWork([this, path, name, plain, cancel = m_cancel] {
        QByteArray body;
        QString error;
        const auto source = OpenLocalFileForTransfer(path);
        if (!source) {
            error = QStringLiteral("File not found");
        } else if (source->size() > kMaxStoredFile) {
            error = QStringLiteral("File too large");
        } else if (plain) {
            body = source->readAll();
            if (body.size() != source->size())
                error = QStringLiteral("Read error");
        } else {
            QBuffer out(&body);
            out.open(QIODevice::WriteOnly);
            const FileStreams::Result r = FileStreams::Deflate(
                *source, out, cancel.get(), progressReporter("SfSt?", source->size(), 0, 100));
            if (r != FileStreams::Result::Ok)
                error = QStringLiteral("Read error");
        }
        if (*cancel)
            return;
        QMetaObject::invokeMethod(
            this, [this, name, body, error] { storeDone(name, body, error); },
            Qt::QueuedConnection);
    });
}

void HostFiles::storeDone(const QByteArray &name, const QByteArray &stored, const QString &error) {
    if (!error.isEmpty()) {
        emit message("SfSt?NOK:" + toCp1252(error));
        return;
    }
    QByteArray body = stored;
    qint64 announced = body.size();
    switch (std::exchange(m_bodyFault, BodyFault::None)) {
    case BodyFault::Corrupt:
        for (qsizetype i = body.size() / 2; i < body.size() && i < body.size() / 2 + 16; ++i)
            body[i] = char(body[i] ^ 0x5a);
        break;
    case BodyFault::Truncated:
        body.truncate(body.size() / 2);
        announced = body.size();
        break;
    case BodyFault::SizeMismatch:
        announced += 1000;
        break;
    case BodyFault::None:
        break;
    }
    if (m_keepStored)
        m_stored.insert(name, body);
    emit fileStored(name, body);
    emit message("SfSt?P100");
    const QByteArray shown = m_announcedName.isEmpty() ? name : std::exchange(m_announcedName, {});
    emit message("Sfil?" + shown + "&" + QByteArray::number(announced));
}

std::optional<QByteArray> HostFiles::storedFile(const QByteArray &name) const {
    const auto it = m_stored.constFind(name);
    if (it == m_stored.constEnd())
        return std::nullopt;
    return *it;
}

void HostFiles::uploaded(const QByteArray &folder, const QByteArray &uploadName,
                         const QByteArray &body) {
    QByteArray name = uploadName;
    const bool plain = name.startsWith('/');
    if (plain)
        name.remove(0, 1);
    if (m_viewOnly) {
        emit message("RfSt?NOK:View only mode");
        return;
    }
    if (m_stalled)
        return;
    const QString folderPath = localPath(fromCp1252(folder));
    const QString fileName = fromCp1252(name);
    if (folderPath.isEmpty() || !QFileInfo(folderPath).isDir() || !IsSafeRemoteFileName(fileName)) {
        emit message("RfSt?NOK:Invalid target");
        return;
    }
    // The file is saved beside its target and renamed into place; a link in the target's
    // place would have the save follow it, so the target is judged as a path of its drive.
    const QString path = localPath(fromCp1252(folder) + QLatin1Char('\\') + fileName);
    if (path.isEmpty()) {
        emit message("RfSt?NOK:Invalid target");
        return;
    }
    emit message("RfSt?P0");
    runWork([this, path, body, plain, cancel = m_cancel] {
        QSaveFile target(path);
        QByteArray result = "RfSt?OK";
        if (!target.open(QIODevice::WriteOnly)) {
            result = "RfSt?NOK:Cannot write the file";
        } else if (plain) {
            FileStreams::SparseWriter writer(target);
            if (!writer.write(body) || !writer.finish())
                result = "RfSt?NOK:Cannot write the file";
        } else {
            QByteArray copy = body;
            QBuffer in(&copy);
            in.open(QIODevice::ReadOnly);
            progress("RfSt?P50");
            FileStreams::Inflater::State state{};
            if (FileStreams::Inflate(in, target, qint64(1) << 50, &state,
                                     progressReporter("RfSt?", copy.size(), 50, 100)) !=
                FileStreams::Result::Ok)
                result = state == FileStreams::Inflater::State::WriteError
                             ? "RfSt?NOK:Cannot write the file"
                             : "RfSt?NOK:Damaged file";
        }
        if (result == "RfSt?OK" && !target.commit())
            result = "RfSt?NOK:Cannot write the file";
        if (*cancel)
            return;
        if (result == "RfSt?OK")
            progress("RfSt?P100");
        progress(result);
    });
}

} // namespace hostside
