#pragma once
// A session without windows: what the operator would have seen is recorded, and the operator's
// answers are scripted.
#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

struct RecordingUi : SessionUi {
    struct Flash {
        QString title, text;
        int seconds;
    };
    QList<Flash> flashes;
    QStringList messages;
    QStringList questions;
    bool answerYes = true;
    // Runs while a question is open: a modal question lets the session run on meanwhile.
    std::function<void()> whileAsking;
    int messageAnswer = 2;
    int closes = 0;
    int resets = 0;
    int rebooting = 0, ended = 0, lost = 0, joined = 0;
    bool updateAccepted = false;
    int updatesOffered = 0;
    int settingsDialogs = 0;
    QStringList announcements;
    QString panel;

    void flash(const QString &title, const QString &text, int seconds) override {
        flashes.append({title, text, seconds});
    }
    int message(int, const QString &text, int) override {
        messages.append(text);
        return messageAnswer;
    }
    bool ask(const QString &text) override {
        questions.append(text);
        if (whileAsking)
            whileAsking();
        return answerYes;
    }
    bool offerUpdate(bool) override {
        ++updatesOffered;
        return updateAccepted;
    }
    void openConnectionSettings() override { ++settingsDialogs; }
    void closeMainWindow() override { ++closes; }
    void setSessionPanel(const QString &text) override { panel = text; }
    void resetWindow() override { ++resets; }
    void hostJoined() override { ++joined; }
    void hostEnded() override { ++ended; }
    void showAnnouncement(bool product, const QString &title, const QString &text) override {
        announcements.append((product ? QStringLiteral("C:") : QStringLiteral("O:")) + title +
                             QLatin1Char('|') + text);
    }
    QString lastFlash() const { return flashes.isEmpty() ? QString() : flashes.last().text; }
};

inline void resetProcessState() {
    adminVars() = AdminVars();
    settings() = Settings();
}

// The console's settings pointed at a local gateway, with the gateway's demo account.
inline void useLocalGateway(const QString &gatewayAddress, const QString &caPemPath) {
    serviceConfig().GatewayAddress = gatewayAddress;
    serviceConfig().TrustedCertificates = caPemPath;
    settings().UserCode = QStringLiteral("demo");
    settings().Password = QStringLiteral("demo");
    settings().GCount = 3;
}

// A session as the tests drive it: it shows things through `ui` and writes no settings file.
inline std::unique_ptr<GatewaySession> makeTestSession(SessionUi &ui) {
    auto session = std::make_unique<GatewaySession>();
    session->setUi(&ui);
    session->setSettingsSaver([] {});
    session->GatewayUrl = serviceConfig().Domain;
    session->VersionTag = QStringLiteral("A100");
    // The host's departures as the screen would see them.
    QObject::connect(session.get(), &GatewaySession::hostLeft, [&ui](bool rebooting) {
        if (auto *r = dynamic_cast<RecordingUi *>(&ui); r && rebooting)
            ++r->rebooting;
    });
    QObject::connect(session.get(), &GatewaySession::hostLost, [&ui] {
        if (auto *r = dynamic_cast<RecordingUi *>(&ui))
            ++r->lost;
    });
    // Tests wait for what follows the host's logoff, not for the pause before it.
    session->HostLogoffPauseMs = 0;
    return session;
}
