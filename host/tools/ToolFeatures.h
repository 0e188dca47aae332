#pragma once
#include "HostFeature.h"
#include "HostFiles.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QClipboard;

namespace qhost {

class ChatView;
class ServiceControl;

// A window of the desktop, for the report's "Running tasks".
struct DesktopTask {
    QString title;
    qint64 pid = 0;
};

struct ToolOptions {
    // The file side's drives; empty: the user's home as C: and the mounted volumes after it.
    QList<hostside::HostFiles::Drive> drives;
    // Makes the remote user's chat window; without it the chat is refused ("ChDn").
    std::function<std::unique_ptr<ChatView>()> chatView;
    // The desktop's windows, asked on the host's thread; without it "Running tasks" has none.
    std::function<QList<DesktopTask>()> tasks;
    // The services; none: systemd over the system bus.
    std::shared_ptr<ServiceControl> services;
    // The clipboard; none: the application's (the X CLIPBOARD selection).
    QClipboard *clipboard = nullptr;
};

// The support tools (clipboard, chat, files, system report), each one feature. The chat
// feature offers `ChatFeature::openByUser` to the panel (find it with qobject_cast).
std::vector<std::unique_ptr<HostFeature>> CreateToolFeatures(ConsoleLink &link,
                                                             const ToolOptions &options);

} // namespace qhost
