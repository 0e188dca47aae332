#pragma once
#include "HostFeature.h"

#include <QByteArrayList>
#include <QHash>
#include <QList>

// What the host's features sent toward the console, in order: messages, the latest deposit of
// each kind and the files, with the position of each among the messages (a deposit must come
// before the message that announces it).
struct RecordingLink : qhost::ConsoleLink {
    QByteArrayList said;
    QHash<QByteArray, QByteArray> deposits;
    QHash<QByteArray, qsizetype> depositedAt; // messages said before the deposit
    QList<std::pair<QByteArray, QByteArray>> files;
    qsizetype fileAt = -1;

    void say(const QByteArray &message) override { said.append(message); }
    void deposit(const QByteArray &kind, const QByteArray &body) override {
        deposits.insert(kind, body);
        depositedAt.insert(kind, said.size());
    }
    void file(const QByteArray &name, const QByteArray &body) override {
        files.append({name, body});
        fileAt = said.size();
    }
    bool saidStarting(const QByteArray &prefix) const {
        for (const QByteArray &m : said)
            if (m.startsWith(prefix))
                return true;
        return false;
    }
};
