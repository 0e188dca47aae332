#include "ui/uSounds.h"

#include "common/AppFolders.h"
#include "settings/uIniFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QSoundEffect>
#include <QThread>

#include <array>

namespace {
struct SoundDef {
    const char *file;
    const char *resource;
};
constexpr SoundDef Sounds[SystemSoundCount] = {
    {"QvClick.wav", "waveClick"}, {"QvSilentAlarm.wav", "waveSilentAlarm"},
    {"QvPopup.wav", "wavePopup"}, {"QvWarning.wav", "waveWarning"},
    {"QvError.wav", "waveError"},
};

bool validSound(int sound) {
    return sound >= 0 && sound < SystemSoundCount;
}

SoundHook &hook() {
    static SoundHook h;
    return h;
}

QString resourcePath(int sound) {
    return QStringLiteral(":/sounds/") + QLatin1String(Sounds[sound].resource);
}

QUrl sourceFor(int sound) {
    const QString folder = appFolders().Sounds;
    if (!folder.isEmpty()) {
        const QString path = QDir(folder).filePath(SoundFileName(sound));
        if (QFileInfo(path).isFile())
            return QUrl::fromLocalFile(path);
    }
    return QUrl(QStringLiteral("qrc") + resourcePath(sound));
}

// One effect per sound, made on first use: creating one opens the audio output, which is slow
// and, without a device, only prints a notice.
QSoundEffect *effectFor(int sound) {
    static std::array<QPointer<QSoundEffect>, SystemSoundCount> effects;
    if (!effects[sound])
        effects[sound] = new QSoundEffect(QCoreApplication::instance());
    return effects[sound];
}
} // namespace

QString SoundFileName(int sound) {
    return validSound(sound) ? QString::fromLatin1(Sounds[sound].file) : QString();
}

QString SoundResourceName(int sound) {
    return validSound(sound) ? QString::fromLatin1(Sounds[sound].resource) : QString();
}

bool ExtractSounds(const QString &folder) {
    const QDir dir(folder);
    for (int sound = 0; sound < SystemSoundCount; ++sound) {
        const QString path = dir.filePath(SoundFileName(sound));
        if (QFileInfo::exists(path))
            continue;
        QFile resource(resourcePath(sound));
        if (!resource.open(QIODevice::ReadOnly))
            return false;
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(resource.readAll()) != resource.size() ||
            !out.commit())
            return false;
    }
    return true;
}

bool ExtractSounds() {
    return ExtractSounds(appFolders().Sounds);
}

void PlaySystemSound(int sound, bool evenWhenOff) {
    if ((!settings().Sound && !evenWhenOff) || !validSound(sound))
        return;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    const QUrl source = sourceFor(sound);
    if (hook()) {
        hook()(sound, source);
        return;
    }
    QSoundEffect *effect = effectFor(sound);
    if (effect->source() != source)
        effect->setSource(source);
    // Before the file is loaded play() only marks it to start once it is; a file that fails to
    // load just leaves the effect in its error state.
    effect->play();
}

void SetSoundHook(SoundHook h) {
    hook() = std::move(h);
}
