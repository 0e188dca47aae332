#include "settings/ApplicationSettingsCore.h"

#include "settings/uIniFiles.h"

ApplicationValues ApplicationValuesFrom(const Settings &s) {
    ApplicationValues v;
    v.AppLang = s.AppLang;
    v.SesTime = s.SesTime;
    v.ConnMsg = s.ConnMsg;
    v.ShowPops = s.ShowPops;
    v.AutoFS = s.AutoFS;
    v.FitScr = s.FitScr;
    v.Sound = s.Sound;
    v.SessionLog = s.SessionLog;
    v.DisWP = s.DisWP;
    v.SetRes = s.SetRes;
    v.IscrMode = s.IscrMode;
    v.SetCol = s.SetCol;
    v.IAutoCol = s.IAutoCol;
    v.ShowComm = s.ShowComm;
    return v;
}

void StoreApplicationValues(const ApplicationValues &v, Settings &s) {
    s.AppLang = v.AppLang;
    s.SesTime = v.SesTime;
    s.ConnMsg = v.ConnMsg;
    s.ShowPops = v.ShowPops;
    s.AutoFS = v.AutoFS;
    s.FitScr = v.FitScr;
    s.Sound = v.Sound;
    s.SessionLog = v.SessionLog;
    s.DisWP = v.DisWP;
    s.SetRes = v.SetRes;
    s.IscrMode = v.IscrMode;
    s.SetCol = v.SetCol;
    s.IAutoCol = v.IAutoCol;
    s.ShowComm = v.ShowComm;
}

QStringList ScreenModeChoices() {
    return {QStringLiteral(" 800 x 600"), QStringLiteral("1024 x 768")};
}

QString RelabelColorEntry(const QString &entry, const QString &word) {
    QString s = entry;
    while (s.size() > 2 && s.back() != QLatin1Char(' '))
        s.chop(1);
    return s + word;
}

QStringList RelabelColorEntries(const QStringList &entries, const QString &word) {
    QStringList out;
    for (const QString &e : entries)
        out.append(RelabelColorEntry(e, word));
    return out;
}
