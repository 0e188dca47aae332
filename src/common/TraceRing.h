#pragma once
#include <QString>
#include <QStringList>

// The last 100 numbered events of the console, read only by the error report. Keystrokes
// and chat text never go in here in clear: the ring leaves the machine with a report.
void AddTrace(int event, const QString &text = {});
QStringList TraceLines();
void ClearTrace();

// True while the error report window exists, so the report does not record itself.
extern bool TraceSuspended;
