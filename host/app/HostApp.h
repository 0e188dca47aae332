#pragma once
#include "HostOptions.h"
#include "TerminationSignals.h"
#include "core/ChannelLink.h"
#include "core/GatewayAddress.h"
#include "core/HostSession.h"
#include "core/JoinKey.h"
#include "core/RebootResume.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

namespace qhost {

class ConsentDialog;
class KeyDialog;
class SessionPanel;

// The program's course: the key, the channel, the user's consent, the session with its panel,
// and its end. Owns the windows, the desktop backend, the session and the features.
class HostApp : public QObject {
    Q_OBJECT
public:
    explicit HostApp(const HostOptions &options, QObject *parent = nullptr);
    ~HostApp() override;
    void start();

signals:
    void finished(int exitCode);

private:
    void askForKey(const QString &status);
    void join(const JoinKey &key);
    void welcomed(const QString &operatorName);
    void share();
    void stop();
    void sessionOver(const QString &why);
    void rebootRequested();
    void finish(int code);

    HostOptions m_options;
    HostSettings m_settings;
    std::optional<JoinKey> m_key;
    std::optional<ResumeEntry> m_resume;
    QString m_operatorName;
    ChannelLink m_link;
    std::unique_ptr<DesktopBackend> m_desktop;
    std::unique_ptr<HostSession> m_session;
    std::vector<std::unique_ptr<HostFeature>> m_features;
    LogindReboot m_reboot;
    TerminationSignals m_termination;
    QPointer<KeyDialog> m_keyDialog;
    QPointer<ConsentDialog> m_consent;
    QPointer<SessionPanel> m_panel;
    bool m_finishing = false;
    int m_exitCode = 0;
};

} // namespace qhost
