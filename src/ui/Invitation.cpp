#include "ui/Invitation.h"

#include "common/Cp1252.h"
#include "common/TraceRing.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/Url_Utils.h"
#include "settings/ServiceConfig.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

// ---- E-mail addresses ------------------------------------------------------------------------

namespace {

bool isAtomByte(unsigned char c) {
    if (c < 33 || c == 127)
        return false;
    switch (c) {
    case '(':
    case ')':
    case '<':
    case '>':
    case '@':
    case ',':
    case ';':
    case ':':
    case '\\':
    case '/':
    case '"':
    case '.':
    case '[':
    case ']':
        return false;
    default:
        return true;
    }
}

bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool IsValidEmailBytes(QByteArrayView address) {
    enum State {
        WordStart,    // a word must begin here (start, or after a dot of the local part)
        InAtom,       // inside an atom
        InQuoted,     // inside a quoted string
        QuotedEscape, // after a backslash inside a quoted string
        AfterQuoted,  // a quoted string just closed: a dot or "@" must follow
        LabelStart,   // a domain label must begin here
        InLabel,      // inside a label
    };
    State state = WordStart;
    int labels = 0;
    unsigned char previous = 0;
    for (const char ch : address) {
        const auto c = static_cast<unsigned char>(ch);
        switch (state) {
        case WordStart:
            if (c == '"')
                state = InQuoted;
            else if (isAtomByte(c))
                state = InAtom;
            else
                return false;
            break;
        case InAtom:
            if (c == '.')
                state = WordStart;
            else if (c == '@')
                state = LabelStart;
            else if (!isAtomByte(c))
                return false;
            break;
        case InQuoted:
            if (c < 32 || c == 127)
                return false;
            if (c == '\\')
                state = QuotedEscape;
            else if (c == '"')
                state = AfterQuoted;
            break;
        case QuotedEscape:
            if (c < 32 || c == 127)
                return false;
            state = InQuoted;
            break;
        case AfterQuoted:
            if (c == '.')
                state = WordStart;
            else if (c == '@')
                state = LabelStart;
            else
                return false;
            break;
        case LabelStart:
            if (!isLetter(c))
                return false;
            ++labels;
            state = InLabel;
            break;
        case InLabel:
            if (c == '.') {
                if (previous == '-')
                    return false;
                state = LabelStart;
            } else if (!isLetter(c) && !isDigit(c) && c != '-') {
                return false;
            }
            break;
        }
        previous = c;
    }
    return state == InLabel && previous != '-' && labels >= 2;
}

bool IsValidEmail(const QString &address) {
    const QByteArray bytes = toCp1252(address);
    // A character without a Windows-1252 byte came out as "?", which an atom would accept.
    if (fromCp1252(bytes) != address)
        return false;
    return IsValidEmailBytes(bytes);
}

// ---- Key, link and texts ---------------------------------------------------------------------

int InstructionLanguageFrom(int miLang) {
    return miLang >= 0 && miLang < LanguageCount ? miLang : 0;
}

QString InvitationKeyFor(const QString &currentKey, int gatewayNumber, int language) {
    return currentKey + QString::number(gatewayNumber) + QLatin1Char('-') +
           QString::number(InstructionLanguageFrom(language) + 1);
}

QString ShortSetupAddress(const QString &setupUrl) {
    return QStringLiteral("https://") + setupUrl;
}

QString SetupLinkFor(const QString &setupUrl, const QString &invitationKey) {
    return ShortSetupAddress(setupUrl) + QStringLiteral("/logon.aspx?key=") + invitationKey;
}

namespace {
QString replaceMarkers(const QString &text, const QString &name, const QString &key) {
    QString out;
    out.reserve(text.size() + name.size() + key.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QStringView two = QStringView(text).mid(i, 2);
        if (two == QLatin1String("**")) {
            out += name;
            ++i;
        } else if (two == QLatin1String("##")) {
            out += key;
            ++i;
        } else if (two == QLatin1String("@@")) {
            ++i;
        } else {
            out += text.at(i);
        }
    }
    return out;
}
} // namespace

QString ServiceWebSite() {
    const ServiceConfig &c = serviceConfig();
    return QStringLiteral("https://") + c.host(c.WebHost);
}

QString InvitationTextFor(int language, const QString &operatorName, const QString &invitationKey,
                          const QString &setupLink, const QString &webSite) {
    SelectInstructionLanguage(InstructionLanguageFrom(language));
    const QString crlf2 = QStringLiteral("\r\n\r\n");
    const QString text =
        MailKeyText() + crlf2 + setupLink + crlf2 + MailInfoText() + crlf2 + webSite;
    return replaceMarkers(text, operatorName, invitationKey);
}

QUrl MailtoAddress(int language, const QString &operatorName, const QString &text) {
    SelectInstructionLanguage(InstructionLanguageFrom(language));
    const QString subject = QLatin1Char(' ') + MailSubjectText() + QLatin1Char(' ') + operatorName;
    const QByteArray encoded = "mailto:?subject=" + QUrl::toPercentEncoding(subject) +
                               "&body=" + QUrl::toPercentEncoding(text);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

QByteArray GatewayMailRequest(const QString &invitationKey, const QString &address,
                              int languageNumber) {
    // The gateway puts the key into the mail as it stands: it goes unescaped (a key is letters,
    // digits, "-" and "."; anything else is escaped only so that it cannot break the request).
    return "22?skey=" + QUrl::toPercentEncoding(invitationKey) +
           "&addr=" + EncodeQueryValue(toCp1252(address)) +
           "&lang=" + QByteArray::number(languageNumber);
}

// ---- Saved addresses -------------------------------------------------------------------------

QStringList ParseMailList(const QByteArray &text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(text.left(MaxMailListBytes));
    if (utf8.hasError())
        decoded = fromCp1252(text.left(MaxMailListBytes)); // from a console that kept the
                                                           // system's code page
    QStringList list;
    for (const QStringView line : QStringView(decoded).split(QLatin1Char('\n'))) {
        const QString address = line.trimmed().toString();
        if (address.size() > 2 && address.size() <= MaxMailAddressLength)
            AddMailAddress(list, address);
        if (list.size() >= MaxMailListEntries)
            break;
    }
    std::sort(list.begin(), list.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return list;
}

QStringList LoadMailList(const QString &path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(MaxMailListBytes);
    if (!file.atEnd()) {
        // Only whole lines of what the bound holds.
        bytes.truncate(qMax<qsizetype>(0, bytes.lastIndexOf('\n')));
    }
    return ParseMailList(bytes);
}

bool SaveMailList(const QString &path, const QStringList &addresses) {
    QByteArray bytes;
    for (const QString &a : addresses)
        bytes += a.toUtf8() + "\r\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool AddMailAddress(QStringList &addresses, const QString &address) {
    if (address.size() <= 2 || address.size() > MaxMailAddressLength ||
        addresses.size() >= MaxMailListEntries)
        return false;
    if (address.contains(QLatin1Char('\n')) || address.contains(QLatin1Char('\r')))
        return false;
    if (addresses.contains(address, Qt::CaseInsensitive))
        return false;
    addresses.append(address);
    return true;
}

// ---- The gateway's mail service --------------------------------------------------------------

Invitation::Invitation(GatewaySession *session, QObject *parent)
    : QObject(parent), Session(session) {
    session->claimHostMessage("Mail", this, [this](const QByteArray &parameter) {
        emit mailAnswered(parameter == "OK");
    });
}

void Invitation::SendGatewayMail(const QString &invitationKey, const QString &address,
                                 int languageNumber) {
    // The invitation window always asks for a secured mail.
    AddTrace(35, QStringLiteral("Sec=-1"));
    if (Session)
        Session->SendCtrlCmd(GatewayMailRequest(invitationKey, address, languageNumber));
}
