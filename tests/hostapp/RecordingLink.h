#pragma once
// What the host program would have sent to the console, in order.
#include "core/HostFeature.h"

#include <QList>
#include <QMap>

struct RecordingLink : qhost::ConsoleLink {
    QList<QByteArray> said;
    QMap<QByteArray, QByteArray> deposits; // the latest of each kind
    void say(const QByteArray &m) override { said.append(m); }
    void deposit(const QByteArray &kind, const QByteArray &body) override { deposits[kind] = body; }
    void file(const QByteArray &, const QByteArray &) override {}
    QByteArray last() const { return said.isEmpty() ? QByteArray() : said.last(); }
};
