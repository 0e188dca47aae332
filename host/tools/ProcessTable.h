#pragma once
#include "ToolCommands.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace qhost::ProcessTable {

struct Process {
    qint64 pid = 0;
    QString program; // the executable's path, or the kernel's name for it when unreadable
    qint64 memoryKb = 0;
    QString user;
};

// The processes in /proc, by process identifier.
QList<Process> list();
// The program the report shows for `pid`; empty when there is no such process.
QString programOf(qint64 pid);

// Ends the process the console named, with the user's own rights: "OK", "Access denied" (the
// system refused, or it is this program itself) or "Process not found" (gone, or the
// identifier now belongs to another program).
QByteArray end(const ToolCommands::ProcessRequest &request);

} // namespace qhost::ProcessTable
