#include "ui/ApplicationException.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "platform/ComputerName.h"
#include "platform/KeyboardLayout.h"
#include "ui/uErrorReport.h"
#include "ui/uSounds.h"

#include <QApplication>
#include <QFileInfo>
#include <typeinfo>

void ApplicationException(QObject *sender, const std::exception *e) {
    if (adminVars().LoggingOff)
        return;
    PlaySystemSound(4);
    const QString className =
        e ? QString::fromLatin1(typeid(*e).name()) : QStringLiteral("unknown");
    const QString message = e ? QString::fromLocal8Bit(e->what()) : QString();
    const QString senderClass =
        sender ? QString::fromLatin1(sender->metaObject()->className()) : QString();
    AddTrace(0, QStringLiteral("Class name: %1 - Err msg: %2 - Sender: %3")
                    .arg(className, message, senderClass));
    AddTrace(0,
             QStringLiteral("%1 - Local:%2/%3 - Remote:%4/%5")
                 .arg(QFileInfo(QCoreApplication::applicationFilePath()).fileName(), ComputerName(),
                      GetKeyboardLayoutText(), adminVars().HostName, adminVars().HostKeyboard));
    ShowErrorReport(QApplication::activeWindow());
}
