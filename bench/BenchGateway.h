#pragma once
// What the benchmarks that run the local gateway as its own process share.
#include "settings/ServiceConfig.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <cstdio>
#include <functional>

// Runs the event loop until `done` or the time is up, checking every `stepMs` without spinning.
inline void waitUntil(const std::function<bool()> &done, int ms, int stepMs) {
    QEventLoop loop;
    QTimer check;
    QElapsedTimer t;
    t.start();
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || t.elapsed() >= ms)
            loop.quit();
    });
    check.start(stepMs);
    if (!done())
        loop.exec();
}

// Starts `exe` with `args` (its --dir is `dir`) and waits for it to say READY; the console's
// service settings then point at it and trust its CA. False, with the gateway's words on
// stderr, when it did not start.
inline bool startGatewayProcess(QProcess &gateway, const QString &exe, const QStringList &args,
                                const QString &dir) {
    gateway.setProcessChannelMode(QProcess::MergedChannels);
    gateway.start(exe, args);
    QByteArray out;
    waitUntil(
        [&] {
            out += gateway.readAll();
            return out.contains("READY");
        },
        15000, 20);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("GatewayAddress=(\\S+)")).match(QString::fromLatin1(out));
    if (!m.hasMatch()) {
        std::fprintf(stderr, "gateway did not start: %s\n", out.constData());
        return false;
    }
    serviceConfig().GatewayAddress = m.captured(1);
    serviceConfig().TrustedCertificates = dir + QStringLiteral("/ca.pem");
    return true;
}
