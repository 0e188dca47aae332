#include <QtTest>

#include "common/AppFolders.h"
#include "settings/uIniFiles.h"
#include "ui/uSounds.h"

#include <QSoundEffect>
#include <QTemporaryDir>
#include <QThread>

namespace {
QByteArray resourceBytes(int sound) {
    QFile f(QStringLiteral(":/sounds/") + SoundResourceName(sound));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestNotifySounds : public QObject {
    Q_OBJECT
    QList<QPair<int, QUrl>> played;

private slots:
    void init() {
        played.clear();
        settings().Sound = true;
        appFolders() = AppFolders();
        SetSoundHook([this](int sound, const QUrl &source) { played.append({sound, source}); });
    }
    void cleanup() { SetSoundHook({}); }

    void namesAndResources() {
        const QStringList files = {"QvClick.wav", "QvSilentAlarm.wav", "QvPopup.wav",
                                   "QvWarning.wav", "QvError.wav"};
        for (int n = 0; n < SystemSoundCount; ++n) {
            QCOMPARE(SoundFileName(n), files.at(n));
            const QByteArray wav = resourceBytes(n);
            QVERIFY2(wav.size() > 44, qPrintable(SoundResourceName(n)));
            QVERIFY(wav.startsWith("RIFF"));
            QCOMPARE(wav.mid(8, 4), QByteArray("WAVE"));
        }
        QVERIFY(SoundFileName(5).isEmpty());
        QVERIFY(SoundResourceName(-1).isEmpty());
    }

    // Qt's own loader reads the sounds the program carries (with or without an audio device).
    void resourcesDecode() {
        for (int n = 0; n < SystemSoundCount; ++n) {
            QSoundEffect effect;
            effect.setSource(QUrl(QStringLiteral("qrc:/sounds/") + SoundResourceName(n)));
            QTRY_VERIFY_WITH_TIMEOUT(effect.status() == QSoundEffect::Ready ||
                                         effect.status() == QSoundEffect::Error,
                                     20000);
            QCOMPARE(effect.status(), QSoundEffect::Ready);
        }
    }

    void extractionWritesMissingFilesOnly() {
        QTemporaryDir dir;
        const QString own = dir.filePath(QStringLiteral("QvPopup.wav"));
        {
            QFile f(own);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("the operator's own sound");
        }
        QVERIFY(ExtractSounds(dir.path()));
        QCOMPARE(fileBytes(own), QByteArray("the operator's own sound"));
        for (int n : {sndClick, sndSilentAlarm, sndWarning, sndError})
            QCOMPARE(fileBytes(dir.filePath(SoundFileName(n))), resourceBytes(n));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), SystemSoundCount);

        // A second run finds everything in place and changes nothing.
        const QDateTime stamp =
            QFileInfo(dir.filePath(QStringLiteral("QvClick.wav"))).lastModified();
        QVERIFY(ExtractSounds(dir.path()));
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("QvClick.wav"))).lastModified(), stamp);
    }

    void firstFailureEndsExtraction() {
        QTemporaryDir dir;
        // The third sound's name points into a folder that does not exist: its write fails.
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("missing/QvPopup.wav")),
                            dir.filePath(QStringLiteral("QvPopup.wav"))));
        QVERIFY(!ExtractSounds(dir.path()));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("QvClick.wav"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("QvSilentAlarm.wav"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("QvWarning.wav"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("QvError.wav"))));

        QVERIFY(!ExtractSounds(dir.filePath(QStringLiteral("no/such/folder"))));
    }

    void soundSettingGatesPlaying() {
        settings().Sound = false;
        for (int n = 0; n < SystemSoundCount; ++n)
            PlaySystemSound(n);
        QVERIFY(played.isEmpty());
        settings().Sound = true;
        PlaySystemSound(sndWarning);
        PlaySystemSound(7);
        PlaySystemSound(-1);
        QCOMPARE(played.size(), 1);
        QCOMPARE(played.first().first, int(sndWarning));
    }

    void playsTheFolderFileElseTheResource() {
        QTemporaryDir dir;
        appFolders().Sounds = dir.path() + QLatin1Char('/');
        PlaySystemSound(sndError);
        QCOMPARE(played.last().second, QUrl(QStringLiteral("qrc:/sounds/waveError")));
        QVERIFY(ExtractSounds());
        PlaySystemSound(sndError);
        QCOMPARE(played.last().second,
                 QUrl::fromLocalFile(dir.filePath(QStringLiteral("QvError.wav"))));
    }

    void otherThreadsAreIgnored() {
        QThread *t = QThread::create([] { PlaySystemSound(sndClick); });
        t->start();
        QVERIFY(t->wait(10000));
        delete t;
        QVERIFY(played.isEmpty());
    }

    // Tests run without an audio device: playing for real must neither fail nor block.
    void noAudioDeviceIsNoError() {
        SetSoundHook({});
        QTemporaryDir dir;
        appFolders().Sounds = dir.path() + QLatin1Char('/');
        {
            QFile broken(dir.filePath(QStringLiteral("QvWarning.wav")));
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write("not a wave file");
        }
        for (int n = 0; n < SystemSoundCount; ++n)
            PlaySystemSound(n);
        PlaySystemSound(sndClick); // again while the first may still be loading
        QTest::qWait(300);         // let the loading finish or fail; nothing to assert on time
        QVERIFY(true);
    }
};

QTEST_MAIN(TestNotifySounds)
#include "tst_notify_sounds.moc"
