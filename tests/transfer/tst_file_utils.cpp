#include "common/VersionText.h"
#include "transfer/uFileUtils.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {
void writeFile(const QString &path, qsizetype size) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(size, 'x'));
}
} // namespace

class TestFileUtils : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listsSubfoldersInHostForm();
    void listsFilesInHostForm();
    void slashesAndBackslashesNameTheSameFolder();
    void missingFolderListsNothing();
    void opensOnlyRegularFilesForTransfer();
    void resolvesShellPaths();
    void versionInfoIsOnlyOurs();

private:
    QTemporaryDir m_dir;
};

void TestFileUtils::initTestCase() {
    QVERIFY(m_dir.isValid());
    QDir root(m_dir.path());
    QVERIFY(root.mkpath("Old/inner"));
    QVERIFY(root.mkpath("New"));
    QVERIFY(root.mkpath(".config/deep"));
    writeFile(root.filePath(".hidden"), 10);
    writeFile(root.filePath("b.txt"), 3);
    writeFile(root.filePath("A.txt"), 0);
    writeFile(root.filePath("50%2 off"), 1);
    writeFile(root.filePath("locked"), 5);
    QVERIFY(QFile::setPermissions(root.filePath("locked"),
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    // Links to a file and a folder are what they point to; a FIFO and a dangling link are
    // nothing to list or send.
    QVERIFY(QFile::link("b.txt", root.filePath("link.txt")));
    QVERIFY(QFile::link("Old", root.filePath("LinkedDir")));
    QVERIFY(QFile::link("nowhere", root.filePath("dangling")));
    QCOMPARE(mkfifo(QFile::encodeName(root.filePath("pipe")).constData(), 0600), 0);
}

void TestFileUtils::listsSubfoldersInHostForm() {
    QStringList list{"kept"};
    ListSubfolders(m_dir.path(), list);
    QCOMPARE(list, QStringList({"kept", ".config\\", "LinkedDir\\", "New", "Old\\"}));
    QVERIFY(HasSubfolders(m_dir.path()));
    QVERIFY(!HasSubfolders(m_dir.filePath("New")));
    QVERIFY(DriveReady(m_dir.path()));
}

void TestFileUtils::listsFilesInHostForm() {
    QStringList list;
    ListFiles(m_dir.path(), list);
    // Hidden 2 + archive 32; read-only 1 + archive 32; no folders; names with "%" unharmed.
    QCOMPARE(list, QStringList({".hidden/10/34", "50%2 off/1/32", "A.txt/0/32", "b.txt/3/32",
                                "link.txt/3/32", "locked/5/33"}));
    QStringList empty;
    ListFiles(m_dir.filePath("New"), empty);
    QVERIFY(empty.isEmpty());
}

void TestFileUtils::slashesAndBackslashesNameTheSameFolder() {
    QString windowsStyle = m_dir.path() + "/Old";
    windowsStyle.replace('/', '\\');
    QStringList a, b;
    ListSubfolders(windowsStyle, a);
    ListSubfolders(m_dir.path() + "/Old/", b);
    QCOMPARE(a, QStringList{"inner"});
    QCOMPARE(a, b);
    QVERIFY(HasSubfolders(windowsStyle + "\\"));
    QVERIFY(DriveReady(windowsStyle));
    QCOMPARE(NormalizeFolderPath(windowsStyle), m_dir.path() + "/Old/");
}

void TestFileUtils::missingFolderListsNothing() {
    const QString missing = m_dir.filePath("nowhere");
    QStringList list{"kept"};
    ListSubfolders(missing, list);
    ListFiles(missing, list);
    ListFiles(m_dir.filePath("b.txt"), list); // a file is no folder
    QCOMPARE(list, QStringList{"kept"});
    QVERIFY(!DriveReady(missing));
    QVERIFY(!HasSubfolders(missing));
}

void TestFileUtils::opensOnlyRegularFilesForTransfer() {
    for (const char *name : {"b.txt", "link.txt"}) {
        const auto file = OpenLocalFileForTransfer(m_dir.filePath(name));
        QVERIFY(file);
        QCOMPARE(file->readAll(), QByteArray("xxx"));
    }
    for (const char *name : {"pipe", "dangling", "Old", "missing"})
        QVERIFY2(!OpenLocalFileForTransfer(m_dir.filePath(name)), name);
}

void TestFileUtils::resolvesShellPaths() {
    QCOMPARE(ShellPathToFileSystemPath("~"), QDir::homePath());
    QCOMPARE(ShellPathToFileSystemPath("~/Documents"), QDir::homePath() + "/Documents");
    QCOMPARE(ShellPathToFileSystemPath("/etc/~x"), QString("/etc/~x"));
    QCOMPARE(ShellPathToFileSystemPath("~other"), QString("~other"));
    QCOMPARE(SpecialFolderPath(99), QString());
}

void TestFileUtils::versionInfoIsOnlyOurs() {
    const QStringList own = ReadVersionInfo(QCoreApplication::applicationFilePath());
    QCOMPARE(own.size(), 8);
    QVERIFY(!own.contains(QString()));
    QCOMPARE(VersionInfoValue(QCoreApplication::applicationFilePath(), "fileversion"),
             GetVersionText(0));
    QCOMPARE(ReadVersionInfo(m_dir.filePath("b.txt")), QStringList(8, QString()));
    QCOMPARE(ReadVersionInfo(m_dir.filePath("missing")), QStringList(8, QString()));
    QCOMPARE(VersionInfoValue(QCoreApplication::applicationFilePath(), "Nonsense"), QString());
}

QTEST_GUILESS_MAIN(TestFileUtils)
#include "tst_file_utils.moc"
