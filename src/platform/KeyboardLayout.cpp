#include "platform/KeyboardLayout.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLocale>

namespace {
struct LayoutId {
    const char *locale;
    unsigned id;
};
// Language identifiers of the layouts an operator of the service is likely to use. A bare
// language falls back to its most common country.
constexpr LayoutId layoutIds[] = {
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_IE", 0x1809}, {"en_CA", 0x1009}, {"en_AU", 0x0c09},
    {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"fr_FR", 0x040c}, {"fr_BE", 0x080c}, {"fr_CA", 0x0c0c},
    {"fr_CH", 0x100c}, {"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0c07}, {"it_IT", 0x0410},
    {"it_CH", 0x0810}, {"es_ES", 0x0c0a}, {"es_MX", 0x080a}, {"pt_PT", 0x0816}, {"pt_BR", 0x0416},
    {"ca_ES", 0x0403}, {"da_DK", 0x0406}, {"sv_SE", 0x041d}, {"nb_NO", 0x0414}, {"fi_FI", 0x040b},
    {"pl_PL", 0x0415}, {"cs_CZ", 0x0405}, {"hu_HU", 0x040e}, {"ru_RU", 0x0419}, {"tr_TR", 0x041f},
    {"el_GR", 0x0408}, {"ja_JP", 0x0411},
};
constexpr LayoutId languageDefaults[] = {
    {"en", 0x0409}, {"nl", 0x0413}, {"fr", 0x040c}, {"de", 0x0407}, {"it", 0x0410},
    {"es", 0x0c0a}, {"pt", 0x0816}, {"ca", 0x0403}, {"da", 0x0406}, {"sv", 0x041d},
    {"nb", 0x0414}, {"fi", 0x040b}, {"pl", 0x0415}, {"cs", 0x0405}, {"hu", 0x040e},
    {"ru", 0x0419}, {"tr", 0x041f}, {"el", 0x0408}, {"ja", 0x0411},
};

QString hex8(unsigned id) {
    return QStringLiteral("%1").arg(id, 8, 16, QLatin1Char('0')).toUpper();
}
} // namespace

QString KeyboardLayoutTextForLocale(const QString &localeName) {
    QString name = localeName;
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    name = name.section(QLatin1Char('.'), 0, 0); // "de_DE.UTF-8"
    for (const LayoutId &l : layoutIds) {
        if (name.compare(QLatin1String(l.locale), Qt::CaseInsensitive) == 0)
            return hex8(l.id);
    }
    const QString language = name.section(QLatin1Char('_'), 0, 0);
    for (const LayoutId &l : languageDefaults) {
        if (language.compare(QLatin1String(l.locale), Qt::CaseInsensitive) == 0)
            return hex8(l.id);
    }
    return QStringLiteral("0");
}

QString GetKeyboardLayoutText() {
    // The input method knows the active layout's language on most desktops; the process locale
    // is the next best guess.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (QInputMethod *im = QGuiApplication::inputMethod()) {
            const QLocale l = im->locale();
            if (l != QLocale::c()) {
                const QString text = KeyboardLayoutTextForLocale(l.name());
                if (text != QLatin1String("0"))
                    return text;
            }
        }
    }
    return KeyboardLayoutTextForLocale(QLocale::system().name());
}
