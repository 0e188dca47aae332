#pragma once
#include <QList>
#include <QString>

// Web addresses inside a plain text, as the announcement window shows them: "http://",
// "https://" or "www." followed by address characters, without trailing punctuation. The text
// comes from the gateway, so it is taken as it is and bounded (UrlMemoMaxChars).

inline constexpr int UrlMemoMaxChars = 64 * 1024;

struct WebAddress {
    int start = 0;
    int length = 0;
    QString url; // what a click opens: "www." addresses get "http://"
};

QList<WebAddress> FindWebAddresses(const QString &text);

// The text as rich text for a read-only text box: everything escaped, "\r\n", "\r" and "\n"
// as line breaks, web addresses as links. Text past UrlMemoMaxChars is dropped.
QString UrlMemoHtml(const QString &text);
