#pragma once
#include <QString>
#include <QStringList>

namespace qhost {

// The command line: quorvia-host [KEY or setup link] [--gateway URL] [--ca FILE]
// [--settings FILE] [--resume KEY]. Options given override the settings file.
struct HostOptions {
    QString key;         // typed later when empty
    QString gateway;     // an address template, "{n}" for the gateway number
    QString caFile;      // trusted besides the system's authorities
    QString settings;    // the settings file; empty: the default one
    bool resume = false; // started by the autostart entry after a reboot
    QString error;
};

HostOptions ParseHostOptions(const QStringList &arguments);

} // namespace qhost
