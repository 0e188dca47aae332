#include "ui/UrlMemoText.h"

namespace {
bool startsAt(const QString &text, int i, QLatin1String prefix) {
    return QStringView(text).mid(i).startsWith(prefix, Qt::CaseInsensitive);
}

// Characters an address may hold; anything else (blanks, quotes, angle brackets, control
// characters, non-ASCII) ends it.
bool addressChar(QChar c) {
    if (c.unicode() > 0x7e || c.unicode() <= 0x20)
        return false;
    return !QStringView(u"\"'<>`{}|\\^").contains(c);
}

bool trailingPunctuation(QChar c) {
    return QStringView(u".,;:!?)]").contains(c);
}
} // namespace

QList<WebAddress> FindWebAddresses(const QString &input) {
    const QString text = input.left(UrlMemoMaxChars);
    QList<WebAddress> found;
    int i = 0;
    while (i < text.size()) {
        int prefix = 0;
        bool needsScheme = false;
        // An address starts at a word boundary, so "xwww.a.b" or "abchttp://" are not links.
        const bool boundary = i == 0 || !text.at(i - 1).isLetterOrNumber();
        if (boundary) {
            if (startsAt(text, i, QLatin1String("https://")))
                prefix = 8;
            else if (startsAt(text, i, QLatin1String("http://")))
                prefix = 7;
            else if (startsAt(text, i, QLatin1String("www."))) {
                prefix = 4;
                needsScheme = true;
            }
        }
        if (prefix == 0) {
            ++i;
            continue;
        }
        int end = i + prefix;
        while (end < text.size() && addressChar(text.at(end)))
            ++end;
        while (end > i + prefix && trailingPunctuation(text.at(end - 1)))
            --end;
        if (end == i + prefix) { // a scheme with no host is no address
            i = end;
            continue;
        }
        const QString address = text.mid(i, end - i);
        found.append({i, end - i, needsScheme ? QStringLiteral("http://") + address : address});
        i = end;
    }
    return found;
}

QString UrlMemoHtml(const QString &input) {
    const QString text = input.left(UrlMemoMaxChars);
    const auto escaped = [](QStringView part) {
        QString s = part.toString().toHtmlEscaped();
        s.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
        s.replace(QLatin1Char('\r'), QStringLiteral("<br>"));
        s.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
        return s;
    };
    QString html;
    html.reserve(text.size() + 64);
    int at = 0;
    for (const WebAddress &a : FindWebAddresses(text)) {
        html += escaped(QStringView(text).mid(at, a.start - at));
        html += QStringLiteral("<a href=\"") + a.url.toHtmlEscaped() + QStringLiteral("\">") +
                escaped(QStringView(text).mid(a.start, a.length)) + QStringLiteral("</a>");
        at = a.start + a.length;
    }
    html += escaped(QStringView(text).mid(at));
    return html;
}
