#pragma once
#include <QString>
#include <QStringList>

class QObject;

// The message catalog: every text the console shows, looked up by its English text, in one of
// eight languages. Language numbers, as AppLang and MILang store them: 0 English, 1 Dutch,
// 2 French, 3 German, 4 Italian, 5 Spanish, 6 Portuguese, 7 Catalan.
//
// The translations live in Qt Linguist files (translations/quorvia_<lang>.ts, context
// "MessageCatalog"), compiled into the program. A "\r" in a text breaks the line (see
// ToDisplayLines) and "&&" in a caption shows as one "&".

inline constexpr int LanguageCount = 8;

// The current language's text of a catalog entry. An English text that is not in the catalog
// comes back unchanged (and is reported once on the debug output).
QString Msg(const char *english);
// The text of an entry in any language, without changing the current one.
QString CatalogText(int language, const char *english);
bool IsCatalogText(const char *english);

// Iteration over the catalog, index 0 to CatalogSize() - 1. The first CatalogListedEntries
// entries keep the numbers the message list gives them (index + 1); the ones after are texts
// that the windows quote without a number.
inline constexpr int CatalogListedEntries = 321;
int CatalogSize();
const char *CatalogEnglish(int index); // nullptr outside the range

// The eight language names, each written in its own language, for the language boxes.
const QStringList &LanguageNames();

// Stores n as settings().AppLang; for n from 0 to 7 also makes it the language of every
// catalog text from now on (windows opened later show it at once). Any other n changes nothing
// else.
void SelectLanguage(quint8 n);
// The language Msg() answers in (AppLang may hold a number outside 0..7).
int CurrentLanguage();

// The invitation sent to the remote user, in the remote user's language (0..7; any other n
// leaves the texts as they were). Empty until the first selection. MailKeyText holds the
// markers "##" (session key), "@@" and "**" (operator's name).
void SelectInstructionLanguage(int n);
QString MailSubjectText();
QString MailKeyText();
QString MailInfoText();

// Windows that re-apply their texts when the language changes register here (main thread).
// A destroyed object drops out by itself.
void registerLanguageListener(QObject *listener);
void unregisterLanguageListener(QObject *listener);
// Posts the update-form message (WM_USER+250, both parameters 0) to every registered listener.
void BroadcastLanguageChange();

// A catalog text as Qt widgets show it: each "\r\n" or lone "\r" becomes "\n".
QString ToDisplayLines(const QString &text);
