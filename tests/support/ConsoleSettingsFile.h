#pragma once
// The settings file and trace of a console made inside a test program: the program's name
// stands for the console's, so each test program has a settings file of its own.
#include "common/AppFolders.h"
#include "common/TraceRing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

inline QString exeName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

inline void writeSettings(const QByteArray &content) {
    const AppFolders f = ComputeAppFolders(exeName());
    QDir().mkpath(f.Home);
    QFile file(f.SettingsFile);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

inline QByteArray savedSettings() {
    QFile f(ComputeAppFolders(exeName()).SettingsFile);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Whether the trace holds an entry of this event number.
inline bool traced(int event) {
    const QString prefix = QString::number(event) + QLatin1Char(';');
    for (const QString &l : TraceLines())
        if (l.startsWith(prefix))
            return true;
    return false;
}
