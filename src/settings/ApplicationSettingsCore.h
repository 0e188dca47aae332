#pragma once
#include <QString>
#include <QStringList>

struct Settings;

// What the application settings dialog edits, as copies; the caller stores them after "Save".
struct ApplicationValues {
    quint8 AppLang = 0;
    bool SesTime = true;
    bool ConnMsg = true;
    bool ShowPops = true;
    bool AutoFS = false;
    bool FitScr = false;
    bool Sound = true;
    bool SessionLog = false;
    bool DisWP = true;
    bool SetRes = false;
    int IscrMode = 0;
    bool SetCol = true;
    int IAutoCol = 1;
    bool ShowComm = true;

    bool operator==(const ApplicationValues &) const = default;
};

ApplicationValues ApplicationValuesFrom(const Settings &settings);
void StoreApplicationValues(const ApplicationValues &values, Settings &settings);

// The resolution choices of the dialog (IscrMode is an index into them).
QStringList ScreenModeChoices();

// An entry of the main window's colour box as the dialog lists it: the characters after its
// last blank are removed (never below two characters) and `word` ("colors" in the current
// language) is appended: "   16 colors" -> "   16 " + word.
QString RelabelColorEntry(const QString &entry, const QString &word);
QStringList RelabelColorEntries(const QStringList &entries, const QString &word);

// "Auto switch to full screen" and "Auto resize to fit" together leave no resolution to choose.
inline bool ResolutionChoiceEnabled(bool autoFullScreen, bool autoFit) {
    return !(autoFullScreen && autoFit);
}
