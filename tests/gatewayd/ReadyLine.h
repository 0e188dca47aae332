#pragma once
#include <QDeadlineTimer>
#include <QProcess>

// The port a started service names in its first line, "READY port=N"; 0 when it ended or said
// something else first (that line in `line`).
inline quint16 waitForReadyPort(QProcess &process, QByteArray *line) {
    QDeadlineTimer deadline(30000);
    while (!process.canReadLine() && process.state() != QProcess::NotRunning &&
           !deadline.hasExpired())
        process.waitForReadyRead(100);
    *line = process.readLine().trimmed();
    return line->startsWith("READY port=") ? quint16(line->mid(11).toUInt()) : 0;
}
