#include "settings/PasswordCipher.h"
#include "settings/PrivateProfile.h"
#include "settings/ServiceConfig.h"
#include "settings/uIniFiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <limits>
#include <sys/resource.h>

namespace {

const ScreenGeometry Screen{QRect(0, 0, 1920, 1040), QSize(1920, 1080)};

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The keys of a file as "Section.Key", in the file's order.
QStringList keysInOrder(const QByteArray &file) {
    QStringList keys;
    QString section;
    for (const QByteArray &line : file.split('\n')) {
        if (line.startsWith('['))
            section = QString::fromUtf8(line.mid(1, line.indexOf(']') - 1));
        else if (line.contains('='))
            keys.append(section + '.' + QString::fromUtf8(line.left(line.indexOf('='))));
    }
    return keys;
}

// One store over its own variables, keyed by a fixed computer name.
struct Fixture {
    Settings s;
    ServiceConfig service;
    PasswordCipher cipher{QStringLiteral("TESTPC")};
    SettingsStore store{s, service, cipher};

    void loadText(const QByteArray &text, const ScreenGeometry &screen = Screen) {
        PrivateProfile p;
        p.parse(text);
        store.load(p, screen);
    }
};

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setLanguageSelectedHook({}); }

    void defaultsFollowTheScreen();
    void clampsOnReading();
    void explorerDefaultsFollowTheWindow();
    void readsBooleansAndDates();
    void selectsTheLanguageAsSoonAsItIsRead();
    void freshFileHasTheKeysInOrder();
    void passwordsRoundTrip();
    void undecipherablePasswordReadsEmptyAndSurvives();
    void serviceSectionAndUnknownContentSurvive();
    void failedWriteLeavesThePreviousFile();
    void fileThatCannotBeReadWholeIsNeverOverwritten();
    void migratesTheOldFileOnce();
    void processWideStoreWorks();
};

void TestSettingsStore::defaultsFollowTheScreen() {
    Fixture f;
    f.store.load(QStringLiteral("/nonexistent/quorvia.ini"), Screen);
    QCOMPARE(f.s.WindowTop, 0);
    QCOMPARE(f.s.WindowLeft, 0);
    QCOMPARE(f.s.WindowWidth, 1920);
    QCOMPARE(f.s.WindowHeight, 1040);
    QCOMPARE(f.s.ExplorerTop, 20);
    QCOMPARE(f.s.ExplorerLeft, 0);
    QCOMPARE(f.s.ExplorerWidth, 1850);
    QCOMPARE(f.s.ExplorerHeight, 940);

    // The work area's right and bottom edges are the default size, as they always were.
    Fixture shifted;
    shifted.store.load(QString(), ScreenGeometry{QRect(100, 30, 1700, 1000), QSize(1920, 1080)});
    QCOMPARE(shifted.s.WindowLeft, 100);
    QCOMPARE(shifted.s.WindowTop, 30);
    QCOMPARE(shifted.s.WindowWidth, 1800);
    QCOMPARE(shifted.s.WindowHeight, 1030);
}

void TestSettingsStore::clampsOnReading() {
    Fixture f;
    f.loadText("[Window]\nTop=-10\nLeft=-5\nWidth=5000\nHeight=50\nTBpos=7\n"
               "[Data]\nAppLang=9\nScaling=3\nMILang=-3\nG#=two\n");
    QCOMPARE(f.s.WindowTop, 0);
    QCOMPARE(f.s.WindowLeft, 0);
    QCOMPARE(f.s.WindowWidth, 1920);
    QCOMPARE(f.s.WindowHeight, 50); // no lower bound
    QCOMPARE(f.s.TBpos, 0);
    QCOMPARE(f.s.AppLang, quint8(0));
    QCOMPARE(f.s.Scaling, quint8(0));
    QCOMPARE(f.s.MILang, 0);
    QCOMPARE(f.s.GCount, 2);

    f.loadText("[Window]\nLeft=30\nTBpos=3\n[Data]\nAppLang=-1\nScaling=2\nMILang=12\n");
    QCOMPARE(f.s.WindowLeft, 30);
    QCOMPARE(f.s.TBpos, 3);
    QCOMPARE(f.s.AppLang, quint8(0));
    QCOMPARE(f.s.Scaling, quint8(2));
    QCOMPARE(f.s.MILang, 12);
    f.loadText("[Window]\n");
    QCOMPARE(f.s.TBpos, 2);
}

void TestSettingsStore::explorerDefaultsFollowTheWindow() {
    Fixture f;
    f.loadText("[Window]\nWidth=1000\nHeight=50\n");
    QCOMPARE(f.s.ExplorerLeft, 460);
    QCOMPARE(f.s.ExplorerTop, 515);
    QCOMPARE(f.s.ExplorerWidth, 930);
    QCOMPARE(f.s.ExplorerHeight, -50);

    f.loadText("[Window]\nWidth=1000\n[Explorer]\nLeft=7\nWidth=300\n");
    QCOMPARE(f.s.ExplorerLeft, 7);
    QCOMPARE(f.s.ExplorerWidth, 300);

    // Extreme values in the file must not overflow the arithmetic.
    f.loadText("[Window]\nWidth=-2147483648\nHeight=-2147483648\n");
    QCOMPARE(f.s.ExplorerWidth, std::numeric_limits<int>::min());
    QCOMPARE(f.s.ExplorerLeft, 1073742784);
}

void TestSettingsStore::readsBooleansAndDates() {
    Fixture f;
    f.loadText("[Window]\nShowMM=0\nShowST=5\n[Data]\nAutoFS=yes\nSound=abc\n"
               "LogonTime=24/05/2006 14:03:11\n");
    QCOMPARE(f.s.ShowMM, false);
    QCOMPARE(f.s.ShowST, true);
    QCOMPARE(f.s.AutoFS, false); // not a number: the default
    QCOMPARE(f.s.Sound, true);
    QCOMPARE(f.s.LogonTime, QString("24/05/2006 14:03:11"));
    f.loadText("[Data]\nLogonTime=soon\n");
    QCOMPARE(f.s.LogonTime, QString());
}

void TestSettingsStore::selectsTheLanguageAsSoonAsItIsRead() {
    QList<int> selected;
    setLanguageSelectedHook([&selected](int lang) { selected.append(lang); });
    Fixture f;
    f.loadText("[Data]\nAppLang=5\n");
    f.loadText("[Data]\nAppLang=9\n");
    QCOMPARE(selected, QList<int>({5, 0}));
}

void TestSettingsStore::freshFileHasTheKeysInOrder() {
    QTemporaryDir dir;
    const QString path = dir.filePath("quorvia.ini");
    Fixture f;
    f.store.load(path, Screen);
    f.s.UserCode = "alice";
    QVERIFY(f.store.save(path));
    const QStringList expected{"Window.Top",
                               "Window.Left",
                               "Window.Width",
                               "Window.Height",
                               "Window.ShowMM",
                               "Window.ShowST",
                               "Window.TBpos",
                               "Explorer.Top",
                               "Explorer.Left",
                               "Explorer.Width",
                               "Explorer.Height",
                               "Data.UserCode",
                               "Data.Password",
                               "Data.ManProxy",
                               "Data.ProxyUserCode",
                               "Data.ProxyPassword",
                               "Data.ProxyName",
                               "Data.ProxyPort",
                               "Data.CurrentKey",
                               "Data.LogonTime",
                               "Data.G#",
                               "Data.SesTime",
                               "Data.ConnMsg",
                               "Data.ShowPops",
                               "Data.AutoFS",
                               "Data.FitScr",
                               "Data.DisWP",
                               "Data.SetRes",
                               "Data.SetCol",
                               "Data.IscrMode",
                               "Data.Icol",
                               "Data.IAutoCol",
                               "Data.LogChat",
                               "Data.ShowComm",
                               "Data.MsgComm",
                               "Data.MsgAnn",
                               "Data.MILang",
                               "Data.SaveMAddr",
                               "Data.SessionLog",
                               "Data.SetupUrl",
                               "Data.ResTip",
                               "Data.Sound",
                               "Data.AppLang",
                               "Data.Scaling",
                               "Data.TBnailed",
                               "Service.Domain",
                               "Service.GatewayAddress",
                               "Service.TrustedCertificates",
                               "Service.UpdateHost",
                               "Service.CustomerHost",
                               "Service.LinksHost",
                               "Service.SupportHost",
                               "Service.WebHost"};
    const QByteArray file = readFile(path);
    QCOMPARE(keysInOrder(file), expected);
    QVERIFY(file.contains("\nUserCode=alice\n"));
    QVERIFY(file.contains("\nPassword=\n"));
    QVERIFY(file.contains("\nTBnailed=1\n"));
    QVERIFY(file.contains("\nAutoFS=0\n"));
}

void TestSettingsStore::passwordsRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath("quorvia.ini");
    Fixture writer;
    writer.s.Password = QStringLiteral("Pässwort-0123456789");
    writer.s.ProxyPassword = QString();
    QVERIFY(writer.store.save(path));
    const QByteArray file = readFile(path);
    QVERIFY(!file.contains("Pässwort"));
    QVERIFY(file.contains("\nProxyPassword=\n"));

    Fixture reader;
    reader.store.load(path, Screen);
    QCOMPARE(reader.s.Password, writer.s.Password);
    QCOMPARE(reader.s.ProxyPassword, QString());

    // Clearing a password writes an empty value.
    reader.s.Password.clear();
    QVERIFY(reader.store.save(path));
    QVERIFY(readFile(path).contains("\nPassword=\n"));
}

void TestSettingsStore::undecipherablePasswordReadsEmptyAndSurvives() {
    QTemporaryDir dir;
    const QString path = dir.filePath("quorvia.ini");
    const QByteArray otherComputers =
        *PasswordCipher(QStringLiteral("ELSEWHERE")).EncipherSetting("their secret");
    const QByteArray proxyText = *PasswordCipher(QStringLiteral("TESTPC")).EncipherSetting("px");
    writeFile(path, "[Data]\nUserCode=bob\nPassword=!!not*base64!!\nProxyPassword=" +
                        otherComputers + "\nAppLang=3\n");

    Fixture f;
    f.store.load(path, Screen);
    QCOMPARE(f.s.Password, QString());
    QCOMPARE(f.s.ProxyPassword, QString());
    QCOMPARE(f.s.UserCode, QString("bob"));
    QCOMPARE(f.s.AppLang, quint8(3));

    f.s.UserCode = "carol";
    QVERIFY(f.store.save(path));
    QByteArray file = readFile(path);
    QVERIFY(file.contains("\nPassword=!!not*base64!!\n"));
    QVERIFY(file.contains("\nProxyPassword=" + otherComputers + "\n"));
    QVERIFY(file.contains("\nUserCode=carol\n"));

    // Clearing one clears it; the untouched one stays as it was.
    f.store.setProxyPassword(QString());
    QVERIFY(f.store.save(path));
    file = readFile(path);
    QVERIFY(file.contains("\nProxyPassword=\n"));
    QVERIFY(file.contains("\nPassword=!!not*base64!!\n"));

    // A password the operator sets replaces the stored text.
    f.s.Password = "fresh";
    f.s.ProxyPassword = "px";
    QVERIFY(f.store.save(path));
    file = readFile(path);
    QVERIFY(!file.contains("!!not*base64!!"));
    QVERIFY(file.contains("\nProxyPassword=" + proxyText + "\n"));
    Fixture reader;
    reader.store.load(path, Screen);
    QCOMPARE(reader.s.Password, QString("fresh"));
}

void TestSettingsStore::serviceSectionAndUnknownContentSurvive() {
    QTemporaryDir dir;
    const QString path = dir.filePath("quorvia.ini");
    const QByteArray service = "[Service]\n"
                               "Domain=corp.test\n"
                               "GatewayAddress=https://gw{n}.{domain}:8443/\n"
                               "TrustedCertificates=/etc/quorvia/ca.pem\n"
                               "UpdateHost=upd.corp.test\n"
                               "CustomerHost=my.corp.test\n"
                               "LinksHost=links.corp.test\n"
                               "SupportHost=help.corp.test\n"
                               "WebHost=www.corp.test\n";
    writeFile(path, "; written by hand\n[Extra]\nPlugin=on\n\n" + service);

    Fixture f;
    f.store.load(path, Screen);
    QCOMPARE(f.service.Domain, QString("corp.test"));
    QCOMPARE(f.service.gatewayUrl(7), QString("https://gw007.corp.test:8443/"));
    QCOMPARE(f.service.TrustedCertificates, QString("/etc/quorvia/ca.pem"));
    QVERIFY(f.store.save(path));

    const QByteArray file = readFile(path);
    QVERIFY(file.startsWith("; written by hand\n[Extra]\nPlugin=on\n\n" + service));
    QVERIFY(file.indexOf("[Window]") > file.indexOf("[Service]"));

    // A fresh file gets the section after the others, with the build's defaults.
    const QString freshPath = dir.filePath("fresh.ini");
    Fixture fresh;
    QVERIFY(fresh.store.save(freshPath));
    const QByteArray freshFile = readFile(freshPath);
    QVERIFY(freshFile.indexOf("[Service]") > freshFile.indexOf("[Data]"));
    QVERIFY(freshFile.contains("\nDomain=" + ServiceConfig().Domain.toUtf8() + "\n"));
}

void TestSettingsStore::failedWriteLeavesThePreviousFile() {
    QTemporaryDir dir;
    Fixture f;

    // The settings path is taken by a folder.
    const QString folderPath = dir.filePath("taken.ini");
    QVERIFY(QDir().mkpath(folderPath + "/inside"));
    QVERIFY(!f.store.save(folderPath));
    QVERIFY(QFileInfo(folderPath + "/inside").isDir());

    // The disk fills up in the middle of the write (a file-size limit stands in for it; it
    // holds for root too, unlike a read-only folder).
    const QString path = dir.filePath("quorvia.ini");
    const QByteArray previous = "[Data]\nUserCode=before\n";
    writeFile(path, previous);
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    f.s.UserCode = "after";
    const bool saved = f.store.save(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!saved);
    QCOMPARE(readFile(path), previous);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"quorvia.ini"});
    QCOMPARE(f.s.UserCode, QString("after"));
}

void TestSettingsStore::fileThatCannotBeReadWholeIsNeverOverwritten() {
    QTemporaryDir dir;
    const QString path = dir.filePath("quorvia.ini");
    const QString side = dir.filePath("quorvia.saved.ini");
    QByteArray big = "[Data]\nUserCode=big\n";
    big.append(PrivateProfile::MaxFileSize, ';');
    writeFile(path, big);

    Fixture f;
    f.store.load(path, Screen);
    QCOMPARE(f.s.UserCode, QString());
    QVERIFY(f.store.notice().contains(path));
    QVERIFY(f.store.notice().contains(side));
    f.s.UserCode = "carol";
    QVERIFY(f.store.save(path));
    QCOMPARE(readFile(path), big);
    QVERIFY(readFile(side).contains("\nUserCode=carol\n"));

    // The next run finds the settings beside the file it still cannot read.
    Fixture next;
    next.store.load(path, Screen);
    QCOMPARE(next.s.UserCode, QString("carol"));
    QVERIFY(!next.store.notice().isEmpty());

    // Neither readable: nothing is written anywhere.
    writeFile(side, big);
    Fixture stuck;
    stuck.store.load(path, Screen);
    QVERIFY(stuck.store.notice().startsWith("Neither"));
    QVERIFY(!stuck.store.save(path));
    QCOMPARE(readFile(path), big);
    QCOMPARE(readFile(side), big);

    // A readable file gives no notice.
    Fixture fine;
    fine.store.load(dir.filePath("fresh.ini"), Screen);
    QVERIFY(fine.store.notice().isEmpty());
}

void TestSettingsStore::migratesTheOldFileOnce() {
    QTemporaryDir dir;
    const QString oldPath = dir.filePath("bin/quorvia.ini");
    const QString newPath = dir.filePath("home/Quorvia/quorvia.ini");
    QVERIFY(QDir().mkpath(dir.filePath("bin")));

    // Nothing to move.
    MigrateOldSettingsFile(oldPath, newPath);
    QVERIFY(!QFileInfo::exists(newPath));

    // Moved, even before the settings folder exists.
    writeFile(oldPath, "[Data]\nUserCode=old\n");
    MigrateOldSettingsFile(oldPath, newPath);
    QCOMPARE(readFile(newPath), QByteArray("[Data]\nUserCode=old\n"));
    QVERIFY(!QFileInfo::exists(oldPath));

    // An existing file wins; the old one goes anyway.
    writeFile(oldPath, "[Data]\nUserCode=older\n");
    MigrateOldSettingsFile(oldPath, newPath);
    QCOMPARE(readFile(newPath), QByteArray("[Data]\nUserCode=old\n"));
    QVERIFY(!QFileInfo::exists(oldPath));

    // A copy that cannot be made keeps the old file.
    writeFile(dir.filePath("blocker"), "a file where a folder should be");
    writeFile(oldPath, "[Data]\nUserCode=keep\n");
    MigrateOldSettingsFile(oldPath, dir.filePath("blocker/Quorvia/quorvia.ini"));
    QCOMPARE(readFile(oldPath), QByteArray("[Data]\nUserCode=keep\n"));
}

void TestSettingsStore::processWideStoreWorks() {
    QTemporaryDir dir;
    const QString path = dir.filePath("quorvia.ini");
    writeFile(path, "[Data]\nUserCode=global\n[Service]\nDomain=global.test\n");
    LoadSettings(path, Screen);
    QCOMPARE(settings().UserCode, QString("global"));
    QCOMPARE(serviceConfig().Domain, QString("global.test"));
    QVERIFY(SaveSettings(path));
    serviceConfig() = ServiceConfig();
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
