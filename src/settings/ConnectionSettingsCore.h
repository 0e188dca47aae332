#pragma once
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "gateway/HttpChannel.h"

#include <optional>

struct Settings;

// What the connection settings dialog edits, as copies: nothing reaches the settings before
// "Save".
struct ConnectionValues {
    QString UserCode;
    QString Password;
    bool ManProxy = false;
    QString ProxyName;
    int ProxyPort = 0;
    QString ProxyUserCode;
    QString ProxyPassword;

    bool operator==(const ConnectionValues &) const = default;
};

ConnectionValues ConnectionValuesFrom(const Settings &settings);
// Into settings(); the passwords go through the store's setters, so that clearing a stored
// password that does not decipher clears it in the file too.
void StoreConnectionValues(const ConnectionValues &values);

// The port field on "Save": empty gives 8080, or 0 (no port) while the proxy name is empty too;
// a number from 80 to 65535 is taken; any other
// number only while the proxy name is empty (no proxy is used then). Nothing when the text is
// not a number or the number is refused: the dialog shows "Proxy port out of range".
std::optional<int> ProxyPortToSave(const QString &text, const QString &proxyName);
// The port field as "Test proxy" reads it: 0 when it is not a number.
int ProxyPortToTest(const QString &text);

// The user names "Test proxy" tries, in order, for the typed proxy user name and the domain of
// the logged-on user. Without a domain, or without a typed name, only the name as typed. With
// both, comparing without regard to case:
//   "name"          -> name, DOMAIN\name, name@DOMAIN
//   "DOMAIN\name"   -> DOMAIN\name, name, name@DOMAIN
//   "name@DOMAIN"   -> name@DOMAIN, name, DOMAIN\name
// The domain counts as part of the typed name only as its "DOMAIN\" prefix or "@DOMAIN"
// suffix: a user name that merely contains the domain's letters is an ordinary name.
QStringList UserNameForms(const QString &domain, const QString &typedUser);

// One proxy test ("Test proxy"): fetches the update server's version file over https through
// the proxy, with each user name form in turn until one is answered with status 200. The
// requests run one after the other on the event loop, through the same TLS policy as the
// gateway channels; nothing waits. Destroying the object or cancel() ends a running test
// without a result.
class ProxyCheck : public QObject {
    Q_OBJECT
public:
    struct Request {
        QString proxyHost;
        quint16 proxyPort = 0;
        QStringList userNames; // the forms to try, the first always
        QString password;
        QByteArray url; // the version file
    };

    // Why a test failed, the step that went wrong.
    enum class Failure {
        None,
        ProxyRefused,  // the proxy could not be reached or refused the connection
        WrongPassword, // the proxy refused every user name with the password (407)
        NoAnswer,      // the proxy or the service behind it did not answer in time
        Other,         // anything else (the service's certificate, its answer)
    };

    explicit ProxyCheck(QObject *parent = nullptr);
    ~ProxyCheck() override;

    // Starts a test; one already running is cancelled first.
    void start(const Request &request);
    void cancel();
    bool running() const { return m_channel != nullptr; }
    // How long one attempt may take without any traffic.
    void setAttemptTimeout(int ms) { m_timeoutMs = ms; }
    // After a finished(false): the step that failed.
    Failure failure() const { return m_failure; }

signals:
    // ok: an attempt was answered with status 200, with `userName` the form that worked.
    void finished(bool ok, const QString &userName);
    // Each attempt as it starts, for the trace (never carries the password).
    void attemptStarted(const QString &userName);

private:
    void next();
    void onDone(int error, int status);
    static Failure failureOf(int error, int status);

    Request m_request;
    int m_index = -1;
    int m_timeoutMs = 30000;
    Failure m_failure = Failure::None;
    QPointer<HttpChannel> m_channel;
};
