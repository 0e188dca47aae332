#pragma once
#include <QString>
#include <QUrl>
#include <functional>

// The five notification sounds, by number.
enum SystemSound : int {
    sndClick = 0,       // a button or check box is clicked
    sndSilentAlarm = 1, // the remote user connects while the console sits in the tray
    sndPopup = 2,       // pop-up notice, bad connection, information message
    sndWarning = 3,     // warning message, file transfer warning
    sndError = 4,       // error message, error report
};
inline constexpr int SystemSoundCount = 5;

// The file name in the sounds folder ("QvClick.wav", ...) and the resource the program carries
// ("waveClick", ...); empty outside 0..4.
QString SoundFileName(int sound);
QString SoundResourceName(int sound);

// For the five sounds in order, writes each one that is missing in `folder` from the program's
// resources. Files already there are left alone (the operator may have put in sounds of their
// own). The first failed write ends the extraction and gives false; a file is written whole or
// not at all.
bool ExtractSounds(const QString &folder);
// The same into appFolders().Sounds.
bool ExtractSounds();

// Plays a sound without waiting when settings().Sound is on. A sound missing from the sounds
// folder plays from the program's resources. No audio device, a broken file or a number outside
// 0..4 is silently ignored. Main thread only; calls from other threads are ignored.
// `evenWhenOff`: plays whatever the setting (the remote user's click).
void PlaySystemSound(int sound, bool evenWhenOff = false);

// Tests see what would play instead of playing it: the sound and the source chosen for it.
// Pass an empty function to play for real again.
using SoundHook = std::function<void(int sound, const QUrl &source)>;
void SetSoundHook(SoundHook hook);
