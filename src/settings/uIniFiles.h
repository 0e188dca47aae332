#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QRect>
#include <QString>

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
