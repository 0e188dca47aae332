#include "HostApp.h"
#include "Features.h"
#include "ProxyRoute.h"
#include "core/HostIdentity.h"
#include "ui/ConsentDialog.h"
#include "ui/KeyDialog.h"
#include "ui/SessionPanel.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qhost {

HostApp::HostApp(const HostOptions &options, QObject *parent)
    : QObject(parent), m_options(options) {
    m_settings =
        ReadHostSettings(options.settings.isEmpty() ? DefaultSettingsPath() : options.settings);
    if (!options.gateway.isEmpty())
        m_settings.gatewayAddress = options.gateway;
    if (!options.caFile.isEmpty())
        m_settings.trustedCertificates = options.caFile;

    // The desktop ends the program (a restart, a logout): it leaves as the Stop button does.
    connect(&m_termination, &TerminationSignals::requested, this, &HostApp::stop);
    connect(&m_link, &ChannelLink::failed, this, [this](const QString &reason) {
        askForKey(tr("The gateway cannot be reached: %1").arg(reason));
    });
    connect(&m_link, &ChannelLink::opened, this, [this] {
        if (m_keyDialog)
            m_keyDialog->setStatus(tr("Waiting for the gateway…"));
    });
    connect(&m_link, &ChannelLink::welcomed, this,
            [this](int, const QString &name) { welcomed(name); });
    connect(&m_link, &ChannelLink::ended, this, [this](const QString &reason) {
        // A question about a session that is gone is not asked any longer.
        delete m_consent;
        if (m_session)
            sessionOver(tr("The session has ended."));
        else
            askForKey(reason.isEmpty() ? tr("The gateway closed the connection.")
                                       : tr("The gateway refused the key: %1").arg(reason));
    });
    connect(&m_link, &ChannelLink::left, this, [this] {
        if (m_finishing)
            emit finished(m_exitCode);
    });
    // Everything from the console goes through the session, which alone decides what reaches
    // the desktop.
    connect(&m_link, &ChannelLink::command, this, [this](const QByteArray &text) {
        if (m_session)
            m_session->command(text);
    });
    connect(&m_link, &ChannelLink::control, this, [this](const QByteArray &c, const QByteArray &p) {
        if (m_session)
            m_session->control(c, p);
    });
    connect(&m_link, &ChannelLink::clipboard, this,
            [this](const QByteArray &f, const QByteArray &b) {
                if (m_session)
                    m_session->clipboard(f, b);
            });
    connect(&m_link, &ChannelLink::upload, this,
            [this](const QByteArray &folder, const QByteArray &name, const QByteArray &body) {
                if (m_session)
                    m_session->upload(folder, name, body);
            });
    connect(&m_reboot, &LogindReboot::finished, this, [this](bool accepted, const QString &) {
        if (!accepted)
            RemoveResumeEntry();
        if (m_session)
            m_session->answerReboot(true, accepted);
    });
}

HostApp::~HostApp() {
    if (m_session)
        m_session->end();
    delete m_consent;
    delete m_panel;
    delete m_keyDialog;
}

void HostApp::start() {
    if (m_options.resume) {
        m_resume = ReadResumeEntry();
        // An entry left by another session's restart is not this one's.
        if (!m_resume || ParseJoinKey(m_options.key).value_or(JoinKey{}).text !=
                             ParseJoinKey(m_resume->key).value_or(JoinKey{}).text) {
            m_resume.reset();
            RemoveResumeEntry();
        }
    }
    if (const auto key = ParseJoinKey(m_options.key))
        join(*key);
    else
        askForKey(m_options.key.isEmpty() ? QString() : tr("That is not a key."));
}

void HostApp::askForKey(const QString &status) {
    if (m_finishing)
        return;
    if (!m_keyDialog) {
        m_keyDialog = new KeyDialog;
        if (m_key)
            m_keyDialog->setKeyText(m_key->text);
        connect(m_keyDialog, &QDialog::accepted, this, [this] {
            if (const auto key = ParseJoinKey(m_keyDialog->keyText())) {
                m_keyDialog->show(); // stays, with its status, until the user decided
                join(*key);
            }
        });
        connect(m_keyDialog, &QDialog::rejected, this, [this] { finish(0); });
    }
    m_keyDialog->setBusy(false);
    m_keyDialog->setStatus(status);
    m_keyDialog->show();
}

void HostApp::join(const JoinKey &key) {
    m_key = key;
    QString error;
    const auto address = ResolveGatewayAddress(m_settings, key.gateway, &error);
    if (!address) {
        askForKey(error);
        return;
    }
    gatewayd::HostChannelClient::Endpoint endpoint;
    endpoint.address = address->host.toStdString();
    endpoint.port = address->port;
    endpoint.gateway = key.gateway;
    endpoint.caFile = address->trustedCertificates.toStdString();
    RouteThroughDesktopProxy(endpoint, address->host);
    if (m_keyDialog) {
        m_keyDialog->setBusy(true);
        m_keyDialog->setStatus(tr("Connecting…"));
    }
    m_link.open(endpoint, key.text, LocalIdentity());
}

void HostApp::welcomed(const QString &operatorName) {
    m_operatorName = operatorName;
    if (m_keyDialog)
        m_keyDialog->hide();
    // After the restart the user agreed to, the same operator continues without a new question.
    if (m_resume && m_resume->operatorName == operatorName) {
        RemoveResumeEntry();
        m_resume.reset();
        share();
        return;
    }
    auto *consent = new ConsentDialog(operatorName);
    m_consent = consent;
    consent->setAttribute(Qt::WA_DeleteOnClose);
    connect(consent, &QDialog::accepted, this, &HostApp::share);
    connect(consent, &QDialog::rejected, this, [this] {
        m_link.leave();
        finish(0);
    });
    consent->show();
    consent->raise();
    consent->activateWindow();
}

void HostApp::share() {
    if (!m_link.isOpen()) // the gateway ended the channel meanwhile
        return;
    QString error;
    m_desktop = CreateDesktopBackend();
    if (!m_desktop || !m_desktop->open(&error)) {
        m_desktop.reset();
        m_link.leave();
        QMessageBox::warning(nullptr, tr("Remote support"),
                             tr("This desktop cannot be shared. %1").arg(error));
        finish(1);
        return;
    }
    m_session = std::make_unique<HostSession>(*m_desktop, m_link);
    m_features = CreateFeatures(m_link);
    m_panel = new SessionPanel(m_operatorName);
    for (const auto &f : m_features) {
        m_session->addFeature(f.get());
        connect(f.get(), &HostFeature::activity, m_panel.data(), &SessionPanel::setActivity);
    }
    connect(m_panel, &SessionPanel::viewOnlyChosen, m_session.get(), &HostSession::setViewOnly);
    connect(m_panel, &SessionPanel::stopClicked, this, &HostApp::stop);
    connect(m_session.get(), &HostSession::viewOnlyChanged, m_panel.data(),
            &SessionPanel::setViewOnly);
    connect(m_session.get(), &HostSession::operatorQuit, this,
            [this] { sessionOver(tr("The operator ended the session.")); });
    connect(m_session.get(), &HostSession::rebootRequested, this, &HostApp::rebootRequested);
    connect(m_session.get(), &HostSession::desktopLost, this,
            [this] { sessionOver(tr("The desktop can no longer be shared.")); });
    // Accept goes first: the gateway takes nothing else from a host before it.
    m_link.accept();
    m_session->start();
    m_panel->show();
}

void HostApp::stop() {
    // The session ends first: from here nothing of the console reaches the desktop, whatever
    // the channel still carries.
    if (m_session)
        m_session->end();
    m_link.leave();
    finish(0);
}

void HostApp::sessionOver(const QString &why) {
    if (m_session)
        m_session->end();
    m_link.leave();
    if (m_panel)
        m_panel->hide();
    auto *box = new QMessageBox(QMessageBox::Information, tr("Remote support"), why);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this] { finish(0); });
    box->show();
}

void HostApp::rebootRequested() {
    auto *box = new QMessageBox(
        QMessageBox::Question, tr("Remote support: restart?"),
        tr("%1 asks to restart this computer. Save your work first. The session continues "
           "after the restart.")
            .arg(m_operatorName),
        QMessageBox::NoButton);
    QPushButton *yes = box->addButton(tr("&Restart"), QMessageBox::AcceptRole);
    QPushButton *no = box->addButton(tr("&Not now"), QMessageBox::RejectRole);
    yes->setAccessibleName(tr("Restart"));
    no->setAccessibleName(tr("Not now"));
    box->setDefaultButton(no);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(box, &QMessageBox::finished, this, [this, box, yes] {
        if (!m_session || !m_session->isRunning())
            return;
        if (box->clickedButton() != yes) {
            m_session->answerReboot(false, false);
            return;
        }
        QString error;
        if (!m_key || !WriteResumeEntry({m_key->text, m_operatorName},
                                        QApplication::applicationFilePath(), &error)) {
            m_session->answerReboot(true, false);
            return;
        }
        m_reboot.request();
    });
    box->show();
}

void HostApp::finish(int code) {
    if (m_finishing)
        return;
    m_finishing = true;
    if (m_panel)
        m_panel->hide();
    if (m_keyDialog)
        m_keyDialog->hide();
    // With a channel still closing, the program ends when its Bye is out.
    m_exitCode = code;
    if (!m_link.isLeaving())
        emit finished(code);
}

} // namespace qhost
