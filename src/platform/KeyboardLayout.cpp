#include "platform/KeyboardLayout.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QList>
#include <QLocale>
#include <QtGui/qguiapplication_platform.h>

#include <optional>

#include <X11/XKBlib.h>
#include <xcb/xcb.h>

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

// X layout names (xkeyboard-config) with their variants where the language differs.
struct XkbLayoutId {
    const char *layout;
    const char *variant; // empty: any variant
    unsigned id;
};
constexpr XkbLayoutId xkbLayoutIds[] = {
    {"us", "", 0x0409},    {"gb", "", 0x0809},   {"ie", "", 0x1809},    {"au", "", 0x0c09},
    {"ca", "eng", 0x1009}, {"ca", "", 0x0c0c},   {"nl", "", 0x0413},    {"be", "", 0x080c},
    {"fr", "", 0x040c},    {"ch", "fr", 0x100c}, {"ch", "", 0x0807},    {"de", "", 0x0407},
    {"at", "", 0x0c07},    {"it", "", 0x0410},   {"es", "cat", 0x0403}, {"es", "", 0x0c0a},
    {"latam", "", 0x080a}, {"pt", "", 0x0816},   {"br", "", 0x0416},    {"dk", "", 0x0406},
    {"se", "", 0x041d},    {"no", "", 0x0414},   {"fi", "", 0x040b},    {"pl", "", 0x0415},
    {"cz", "", 0x0405},    {"hu", "", 0x040e},   {"ru", "", 0x0419},    {"tr", "", 0x041f},
    {"gr", "", 0x0408},    {"jp", "", 0x0411},
};

// The X server's keyboard: its rule names and the active group, when the desktop is X11.
std::optional<QString> x11LayoutText() {
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    auto *x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || !x11->display())
        return std::nullopt;
    xcb_connection_t *c = x11->connection();
    static constexpr char atomName[] = "_XKB_RULES_NAMES";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof atomName - 1, atomName), nullptr);
    if (!atom)
        return std::nullopt;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_get_property_reply_t *prop =
        screen ? xcb_get_property_reply(
                     c, xcb_get_property(c, 0, screen->root, atom->atom, XCB_ATOM_STRING, 0, 1024),
                     nullptr)
               : nullptr;
    free(atom);
    if (!prop)
        return std::nullopt;
    const QByteArray names(static_cast<const char *>(xcb_get_property_value(prop)),
                           xcb_get_property_value_length(prop));
    free(prop);
    XkbStateRec state{};
    const int group =
        XkbGetState(x11->display(), XkbUseCoreKbd, &state) == Success ? int(state.group) : 0;
    return KeyboardLayoutTextForXkb(names, group);
}

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

QString KeyboardLayoutTextForXkb(const QByteArray &ruleNames, int group) {
    const QList<QByteArray> parts = ruleNames.split('\0');
    if (parts.size() < 3)
        return QStringLiteral("0");
    const QList<QByteArray> layouts = parts[2].split(',');
    const QList<QByteArray> variants = parts.size() > 3 ? parts[3].split(',') : QList<QByteArray>();
    if (group < 0 || group >= layouts.size())
        group = 0;
    const QByteArray layout = layouts.value(group).trimmed();
    const QByteArray variant = variants.value(group).trimmed();
    for (const XkbLayoutId &l : xkbLayoutIds) {
        if (layout == l.layout && (!*l.variant || variant == l.variant))
            return hex8(l.id);
    }
    return QStringLiteral("0");
}

QString GetKeyboardLayoutText() {
    // The X keyboard says which layout the operator types with; an operator's layout and
    // language often differ (a German keyboard on an English desktop).
    if (const auto x11 = x11LayoutText(); x11 && *x11 != QLatin1String("0"))
        return *x11;
    // Elsewhere the input method knows the active layout's language on most desktops; the
    // process locale is the next best guess.
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
