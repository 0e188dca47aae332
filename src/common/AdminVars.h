#pragma once
#include <QByteArray>
#include <QString>

// Process-wide session state. Read and written on the main thread only, except the request
// counter, which the file transfer window's channels share.
struct AdminVars {
    bool LoggedOn = false;
    bool SocketsStarted = false;
    bool HostLoggedOn = false;
    QString CurrentKey;   // empty means no session
    quint8 CloseMode = 0; // 0 nothing, 1 close the console, 2 close and run the update
    QString TitleBase;
    bool LoggingOff = false; // "QUIT" was sent and the logoff is under way
    QString HostName;        // the connected host, for error reports
    QString HostKeyboard;
};

AdminVars &adminVars();

// The anti-cache counter: "?dy=n" when `first`, otherwise "&dy=n", with n incremented
// atomically before each use, whatever channel asks.
QByteArray NextDyParam(bool first = false);
// Current value, for tests that check consecutive values.
int RequestCounterValue();
