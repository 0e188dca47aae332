#include "common/SessionLog.h"
#include "common/AppFolders.h"
#include "common/RemoteNames.h"
#include "settings/uIniFiles.h"

#include <QFile>

namespace {
QString logFile;
bool firstWriteDone = false;

void appendLine(QFile &f, const QString &line) {
    // Lines end in CR LF so the file reads the same in any editor the operator uses.
    f.write(line.toUtf8());
    f.write("\r\n");
}
} // namespace

void SetSessionLogFile(const QString &path) {
    logFile = path;
}
QString SessionLogPathForKey(const QString &key) {
    return SessionKeyFilePath(appFolders().SessionLogs, QString(), key, QStringLiteral(".txt"));
}
QString SessionLogFile() {
    return logFile;
}

void WriteSessionLog(const QString &line) {
    if (!settings().SessionLog || logFile.isEmpty())
        return;
    QFile f(logFile);
    if (!f.open(QIODevice::Append | QIODevice::WriteOnly | QIODevice::Text))
        return;
    if (!firstWriteDone) {
        // The first write of a run separates this run's lines from an earlier run's in the
        // same file (two logons with one key share it) instead of doubling the first line.
        firstWriteDone = true;
        if (f.size() > 0)
            appendLine(f, QString());
    }
    appendLine(f, line);
}
