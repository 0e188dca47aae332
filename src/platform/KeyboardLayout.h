#pragma once
#include <QString>

// The operator's active keyboard layout as the eight hexadecimal digits the host and the error
// report expect (the language identifier in the low word, e.g. "00000409" for US English), or
// "0" when the desktop does not say.
QString GetKeyboardLayoutText();

// The same for a locale name such as "de_DE" or "nl-BE"; "0" for an unknown one.
QString KeyboardLayoutTextForLocale(const QString &localeName);
