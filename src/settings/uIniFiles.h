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

    // Every key with its default and limits; a missing file gives the defaults.
    //
    // A settings file that is there but cannot be read whole (larger than the reader's bound,
    // no permission, not a regular file) is never written over, since that would replace
    // whatever it holds with defaults: the settings are then read from and saved to
    // sideFilePath() instead, and notice() tells the operator.
    void load(const QString &iniPath, const ScreenGeometry &screen);
    void load(const PrivateProfile &profile, const ScreenGeometry &screen);
    // Writes every key into the file's current contents, keeping what else it holds, and
    // replaces the file atomically. False when the file could not be written; the previous
    // file then stays as it was.
    bool save(const QString &iniPath);
    void store(PrivateProfile &profile);

    // Empty while the settings file is used as usual; otherwise an English text for the
    // operator saying which file was left alone and where the settings go instead.
    QString notice() const { return m_notice; }
    // Where the settings go when the file at iniPath cannot be read whole: "quorvia.ini"
    // becomes "quorvia.saved.ini" in the same folder.
    static QString sideFilePath(const QString &iniPath);

    // The operator set a password, to any value including none. Needed to clear a stored
    // password that does not decipher: it already reads as empty, so assigning an empty
    // variable looks like no change and the stored text would be kept.
    void setPassword(const QString &plain);
    void setProxyPassword(const QString &plain);

private:
    // A password as it was in the file. A stored text that does not decipher reads as an
    // empty password, and is written back as it was until the operator sets a password (an
    // empty one included), so a file from another computer or an edited file loses nothing
    // by being opened here.
    struct StoredSecret {
        QString plain;
        QString cipherText;
        bool setByOperator = false;
    };
    StoredSecret readSecret(const PrivateProfile &profile, const QString &key) const;
    QString secretText(StoredSecret &memo, const QString &plain) const;

    Settings &m_settings;
    ServiceConfig &m_service;
    const PasswordCipher &m_cipher;
    StoredSecret m_password;
    StoredSecret m_proxyPassword;
    QString m_notice;
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
// Empty, or the text to show the operator once after LoadSettings: the settings file could
// not be read whole and is left as it is (see SettingsStore::load).
QString SettingsFileNotice();
// The connection settings dialog sets the passwords through these, so that clearing a
// stored password that does not decipher really clears it.
void SetPasswordSetting(const QString &plain);
void SetProxyPasswordSetting(const QString &plain);

// Moves a settings file left next to the executable by an old installation into the settings
// folder, unless one is there already; the old file is removed once the new location holds a
// settings file, and kept when the copy failed, so that no settings are lost.
void MigrateOldSettingsFile(const QString &oldPath, const QString &newPath);
