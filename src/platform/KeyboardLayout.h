#pragma once
#include <QString>

// The operator's active keyboard layout as the eight hexadecimal digits the host and the error
// report expect (the language identifier in the low word, e.g. "00000409" for US English), or
// "0" when the desktop does not say.
QString GetKeyboardLayoutText();

// The same for a locale name such as "de_DE" or "nl-BE"; "0" for an unknown one.
QString KeyboardLayoutTextForLocale(const QString &localeName);

// The same for the X keyboard's rule names (the root window's _XKB_RULES_NAMES: rules, model,
// layouts, variants and options, each ending in a zero byte) and its active group; "0" when
// the layout of that group is unknown.
QString KeyboardLayoutTextForXkb(const QByteArray &ruleNames, int group);
