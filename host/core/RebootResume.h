#pragma once
#include <QObject>
#include <QString>

#include <optional>

namespace qhost {

// The way back after a reboot the operator asked for: an autostart entry, written for this
// session only, that starts the host again with the same key; removed once it rejoined.
struct ResumeEntry {
    QString key;          // the join key
    QString operatorName; // who the user agreed to share with before the reboot
};

// $XDG_CONFIG_HOME/autostart/quorvia-host-resume.desktop
QString ResumeEntryPath();
// Written whole or not at all; `program` is the host's executable.
bool WriteResumeEntry(const ResumeEntry &entry, const QString &program, QString *error);
// The entry, when there is one and it holds a valid key.
std::optional<ResumeEntry> ReadResumeEntry();
void RemoveResumeEntry();

// Asks the session manager (logind, on the system bus) to restart the computer; polkit
// decides, and may ask the user for a password. `finished` tells whether the restart was
// accepted, with logind's reason otherwise.
class LogindReboot : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void request();

signals:
    void finished(bool accepted, const QString &error);
};

} // namespace qhost
