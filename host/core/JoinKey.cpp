#include "JoinKey.h"

#include <QUrl>
#include <QUrlQuery>

namespace qhost {
namespace {
constexpr int kMaxKeyLength = 64;
constexpr int kMaxGatewayDigits = 4;

bool isKeyLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}
bool isKeyCharacter(QChar c) {
    return isKeyLetter(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}
} // namespace

std::optional<JoinKey> ParseJoinKey(const QString &typed) {
    QString text = typed.trimmed();
    // The invitation's link carries the key as its "key" field.
    if (text.contains(QLatin1String("key="), Qt::CaseInsensitive) && text.size() < 4096) {
        const QUrl url = QUrl::fromUserInput(text);
        const QUrlQuery query(url);
        for (const auto &[name, value] : query.queryItems(QUrl::FullyDecoded))
            if (name.compare(QLatin1String("key"), Qt::CaseInsensitive) == 0)
                text = value.trimmed();
    }
    if (text.isEmpty() || text.size() > kMaxKeyLength)
        return std::nullopt;
    for (QChar c : text)
        if (!isKeyCharacter(c))
            return std::nullopt;
    qsizetype digits = 0;
    while (digits < text.size() && text[text.size() - 1 - digits].isDigit())
        ++digits;
    if (digits == 0 || digits > kMaxGatewayDigits || digits == text.size())
        return std::nullopt;
    JoinKey key;
    key.text = text.toUpper();
    key.sessionKey = key.text.left(text.size() - digits);
    key.gateway = key.text.right(digits).toInt();
    if (key.gateway <= 0)
        return std::nullopt;
    return key;
}

} // namespace qhost
