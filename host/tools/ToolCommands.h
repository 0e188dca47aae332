#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

// The parameters of the console's commands to the support tools, read with a bound on every
// part. The console writes them from its own tables, but they come over the network, so each
// reader accepts exactly the form the console sends and refuses anything else.
namespace qhost::ToolCommands {

// Longest service name or program path taken from a command.
inline constexpr qsizetype kMaxNameBytes = 1024;

// "SvcS?name&1" starts, "SvcS?name&0" stops; the name may itself hold "&".
struct ServiceRequest {
    QString name;
    bool start = false;
};
std::optional<ServiceRequest> parseServiceRequest(const QByteArray &parameter);

// "StPr?program&pid", the program as the report's first column gave it.
struct ProcessRequest {
    QString program;
    qint64 pid = 0;
};
std::optional<ProcessRequest> parseProcessRequest(const QByteArray &parameter);

// A systemd unit name for a service the report lists (the report drops ".service"); nothing
// for a name systemd would refuse or that names something other than a unit.
std::optional<QString> serviceUnitName(const QString &name);

} // namespace qhost::ToolCommands
