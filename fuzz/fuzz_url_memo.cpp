// Announcement texts come from the gateway: finding their web addresses and turning them into
// rich text must stay within the text and never produce markup from the input.
#include "ui/UrlMemoText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 2 * UrlMemoMaxChars)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QString bounded = text.left(UrlMemoMaxChars);
    for (const WebAddress &a : FindWebAddresses(text)) {
        if (a.start < 0 || a.length <= 0 || a.start + a.length > bounded.size())
            abort();
        if (!a.url.startsWith(QLatin1String("http"), Qt::CaseInsensitive))
            abort();
    }
    const QString html = UrlMemoHtml(text);
    // Every '<' in the output is markup the function wrote itself.
    for (qsizetype i = html.indexOf(QLatin1Char('<')); i >= 0;
         i = html.indexOf(QLatin1Char('<'), i + 1)) {
        const QStringView rest = QStringView(html).mid(i);
        if (!rest.startsWith(u"<br>") && !rest.startsWith(u"<a href=\"") &&
            !rest.startsWith(u"</a>"))
            abort();
    }
    return 0;
}
