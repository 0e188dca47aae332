#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "gateway/GatewaySession.h"

// The setup invitation without its windows: the key and link the remote user gets, the texts
// in the remote user's language, the saved e-mail addresses, and the gateway's mail service.
// The invitation window (ChooseMail) and the waiting window (uWaitForHost) show what this
// computes.

// An e-mail address as the invitation accepts it, over the whole text:
// - a local part of words joined by single dots, each word an atom (characters 33 to 255
//   except ( ) < > @ , ; : \ / " . [ ] and 127) or a quoted string ("..." in which a
//   backslash takes the next character literally);
// - "@";
// - a domain of at least two labels joined by single dots, each starting with a letter A-Z,
//   continuing with letters, digits and hyphens, not ending with a hyphen.
// Characters are taken as Windows-1252 bytes, the form the gateway receives; a character
// without such a byte makes the address invalid, and so does any control character inside a
// quoted string, which would end the mail header the gateway writes the address into.
bool IsValidEmail(const QString &address);
bool IsValidEmailBytes(QByteArrayView address);

// The instruction language from MILang: 0 to 7, anything else counts as 0 (English).
int InstructionLanguageFrom(int miLang);

// Session key + gateway number + "-" + language number (1 to 8).
QString InvitationKeyFor(const QString &currentKey, int gatewayNumber, int language);
// "https://" + setup host + "/logon.aspx?key=" + invitation key.
QString SetupLinkFor(const QString &setupUrl, const QString &invitationKey);
// "https://" + setup host: what the windows show.
QString ShortSetupAddress(const QString &setupUrl);

// The invitation text in `language`: the key text, the setup link, the information text and
// the service's web site, parted by empty lines (CR LF). In the key text "**" becomes the
// operator's name, "##" the invitation key and "@@" nothing; the replacements are made in one
// pass, so a name that holds a marker stays as it is.
QString InvitationTextFor(int language, const QString &operatorName, const QString &invitationKey,
                          const QString &setupLink, const QString &webSite);
// The service's public web site named at the end of the invitation.
QString ServiceWebSite();

// The message the operator's own mail program opens: subject " " + subject text + " " +
// operator's name, the invitation as body, every character that is not unreserved in a URL
// percent-encoded as UTF-8 (line breaks as %0D%0A), so that a mail program receives the whole
// text whatever it holds ("&", "#", "%", "?").
QUrl MailtoAddress(int language, const QString &operatorName, const QString &text);

// The control request the gateway sends the invitation mail for: "22?skey=..." with the key
// as it is and the address encoded.
QByteArray GatewayMailRequest(const QString &invitationKey, const QString &address,
                              int languageNumber);

// The saved e-mail addresses ("mAddr.dat"): UTF-8 text, one address per line.
inline constexpr qint64 MaxMailListBytes = 256 * 1024;
inline constexpr int MaxMailListEntries = 1000;
inline constexpr qsizetype MaxMailAddressLength = 254;
// Sorted without regard to case; a missing or unreadable file gives none, a larger one only
// what the bound holds, and lines that cannot be an address are left out.
QStringList LoadMailList(const QString &path);
// The same from the file's bytes (UTF-8, or Windows-1252 when they are not UTF-8); only the
// first MaxMailListBytes count.
QStringList ParseMailList(const QByteArray &text);
// Replaces the file atomically; false when it could not be written (the old file stays).
bool SaveMailList(const QString &path, const QStringList &addresses);
// Adds an address longer than two characters that the list does not hold in any case; true
// when it was added.
bool AddMailAddress(QStringList &addresses, const QString &address);

// The gateway's mail service, for the invitation window: sends request "22" through the
// command queue and reports the host message "Mail" that answers it.
class Invitation : public QObject {
    Q_OBJECT
public:
    explicit Invitation(GatewaySession *session, QObject *parent = nullptr);

    // Traces event 35 and queues the control request.
    void SendGatewayMail(const QString &invitationKey, const QString &address, int languageNumber);

    GatewaySession *session() const { return Session; }
    // The address last typed in the invitation window, kept for the run.
    QString LastMailAddress;

signals:
    // The gateway's "Mail" answer: "OK" or anything else.
    void mailAnswered(bool ok);

private:
    QPointer<GatewaySession> Session;
};
