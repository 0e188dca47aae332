#pragma once
#include <QString>

// Where the console keeps its files. Home is the "Quorvia" folder under the user's
// application data; documents hold what the operator saves on purpose.
struct AppFolders {
    QString Home;         // ends with "/"
    QString SettingsFile; // Home + executable name + ".ini"
    QString Sounds;
    QString SnapShots;
    QString Recorded;
    QString SessionLogs;
    QString MailAddresses;
    QString MailAddressFile; // MailAddresses + "mAddr.dat"
    // Working files that may be large (a compressed upload): the temporary folder is often a
    // small memory file system.
    QString Cache;
};

// Computes the paths from the special folders and the executable's name.
AppFolders ComputeAppFolders(const QString &executableName);

struct FolderCreation {
    bool snapShotsCreated = true; // the only failure the operator is told about
};
// Creates every folder with its missing parents; other failures are ignored here.
FolderCreation CreateAppFolders(const AppFolders &folders);

AppFolders &appFolders();
