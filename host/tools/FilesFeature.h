#pragma once
#include "HostFeature.h"
#include "HostFiles.h"

#include <memory>

namespace qhost {

// The file side of the file transfer window on this computer's drives ("Drvs", "Gdir",
// "Gfil", "Cdir", "Rdir", "Sfil" and the console's uploads), each transfer shown to the user
// while it runs.
class FilesFeature : public HostFeature {
    Q_OBJECT
public:
    // `drives` empty: the user's home and volumes (userDrives).
    FilesFeature(ConsoleLink &link, const QList<hostside::HostFiles::Drive> &drives,
                 QObject *parent = nullptr);
    ~FilesFeature() override;

    bool command(const QByteArray &code, const QByteArray &parameter) override;
    bool upload(const QByteArray &folder, const QByteArray &name, const QByteArray &body) override;
    void sessionEnded() override;

    hostside::HostFiles &files() { return *m_files; }

    // The user's home as C: and the mounted volumes after it.
    static QList<hostside::HostFiles::Drive> userDrives();

private:
    void start();
    void relay(const QByteArray &message);

    QList<hostside::HostFiles::Drive> m_drives; // empty: the user's, read again at "Drvs"
    std::unique_ptr<hostside::HostFiles> m_files;
    QString m_sending;   // the file going to the console, shown while it goes
    QString m_receiving; // the file coming from the console
};

} // namespace qhost
