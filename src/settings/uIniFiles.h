#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class PasswordCipher;
class PrivateProfile;
struct ServiceConfig;

// Every persistent option of the console, one member per key of the settings file, named by
// its key. Geometry keys that occur in two sections carry the section's name.
struct Settings {
    // [Window]
    int WindowTop = 0;
    int WindowLeft = 0;
    int WindowWidth = 0;
    int WindowHeight = 0;
    bool ShowMM = true;
    bool ShowST = true;
    int TBpos = 2; // 0 top, 1 bottom, 2 left, 3 right
    // [Explorer]
    int ExplorerTop = 0;
    int ExplorerLeft = 0;
    int ExplorerWidth = 0;
    int ExplorerHeight = 0;
    // [Data]
    QString UserCode;
    QString Password; // held deciphered
    bool ManProxy = false;
    QString ProxyUserCode;
    QString ProxyPassword; // held deciphered
    QString ProxyName;
    int ProxyPort = 0;
    QString CurrentKey;
    QString LogonTime; // kept and written back as it was read
    int GCount = 2;    // the "G#" key: gateways the service reported at the last logon
    bool SesTime = true;
    bool ConnMsg = true;
    bool ShowPops = true;
    bool AutoFS = false;
    bool FitScr = false;
    bool DisWP = true;
    bool SetRes = false;
    bool SetCol = true;
    int IscrMode = 0;
    int Icol = 1;
    int IAutoCol = 1;
    bool LogChat = true;
    bool ShowComm = true;
    int MsgComm = 0;
    int MsgAnn = 0;
    int MILang = 0;
    bool SaveMAddr = true;
    bool SessionLog = false;
    QString SetupUrl = QStringLiteral("setup.quorvia.example");
    bool ResTip = true;
    bool Sound = true;
    quint8 AppLang = 0;
    quint8 Scaling = 0; // 0 off, 1 proportional, 2 full
    bool TBnailed = true;
};

// The process-wide settings; the variables are the live copy once the file was read.
Settings &settings();

// What the geometry defaults and limits are taken from. Passed in so that reading the file
// needs no screen; the main window takes it from the primary screen.
struct ScreenGeometry {
    QRect workArea;
    QSize firstMonitor;
};

// Reads and writes one settings file into a Settings and a ServiceConfig. The process-wide
// store works on settings() and serviceConfig(); tests and fuzzers make their own.
class SettingsStore {
public:
    SettingsStore(Settings &settings, ServiceConfig &service, const PasswordCipher &cipher);

    // Every key with its default and limits; a missing or unreadable file gives the defaults.
    void load(const QString &iniPath, const ScreenGeometry &screen);
    void load(const PrivateProfile &profile, const ScreenGeometry &screen);
    // Writes every key into the file's current contents, keeping what else it holds, and
    // replaces the file atomically. False when the file could not be written; the previous
    // file then stays as it was.
    bool save(const QString &iniPath);
    void store(PrivateProfile &profile);

private:
    // A password as it was in the file. A stored text that does not decipher reads as an
    // empty password, and is written back as it was until the operator sets another
    // password, so a file from another computer or an edited file loses nothing by being
    // opened here.
    struct StoredSecret {
        QString plain;
        QString cipherText;
    };
    StoredSecret readSecret(const PrivateProfile &profile, const QString &key) const;
    QString secretText(StoredSecret &memo, const QString &plain) const;

    Settings &m_settings;
    ServiceConfig &m_service;
    const PasswordCipher &m_cipher;
    StoredSecret m_password;
    StoredSecret m_proxyPassword;
};

// The message catalog plugs in here: LoadSettings calls the hook with AppLang as soon as it
// is read, so every text shown afterwards is in the stored language.
void setLanguageSelectedHook(std::function<void(int)> hook);

// Reads the file into settings() and serviceConfig(). Called once, when the main window is
// created.
void LoadSettings(const QString &iniPath, const ScreenGeometry &screen);
// Writes settings() and serviceConfig() back. Callers ignore the result: a failed write leaves
// the previous file and is not reported; the result is there for tests.
bool SaveSettings(const QString &iniPath);

// Moves a settings file left next to the executable by an old installation into the settings
// folder, unless one is there already; the old file is removed once the new location holds a
// settings file, and kept when the copy failed, so that no settings are lost.
void MigrateOldSettingsFile(const QString &oldPath, const QString &newPath);
