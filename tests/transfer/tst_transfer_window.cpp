#include "TransferTestSupport.h"
#include "common/uLanguageMsg.h"
#include "transfer/QVexplorer.h"
#include "ui/uAskWarning.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

// The transfer window over a live protocol: both panes fill, Ctrl+C / Ctrl+V sends a file,
// the overwrite question answers without a second event loop, a new remote folder gets the
// first free name, and closing hands the queue back.
class TestTransferWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TransferFixture> f;
    QPointer<TQVexplorerForm> w;

    QTreeWidgetItem *remoteNode(const QString &path) {
        for (QTreeWidgetItemIterator it(w->HostDirTree); *it; ++it)
            if ((*it)->parent() && w->nodePath(*it) == path)
                return *it;
        return nullptr;
    }

    void press(QWidget *target, Qt::Key key) {
        target->setFocus();
        QTest::keyClick(target, key, Qt::ControlModifier);
    }

private slots:
    void init() { f = std::make_unique<TransferFixture>(); }
    void cleanup() {
        delete w.data();
        f.reset();
    }

    void panesGesturesAndClose() {
        f->autoAnswer = false;
        f->start();
        QVERIFY(QDir().mkpath(f->remoteFile("C/Work/New Folder")));
        QVERIFY(QDir().mkpath(f->remoteFile("C/Work/New Folder1")));
        QVERIFY(writeFile(f->remoteFile("C/Work/old.txt"), "remote"));
        QVERIFY(writeFile(f->localFile("send.txt"), QByteArray("to the host\n").repeated(300)));
        QVERIFY(writeFile(f->localFile("old.txt"), "local"));
        connect(f->transfer, &FileTransfer::explorerOpened, this, [this](TQVexplorerProtocol *p) {
            w = new TQVexplorerForm(p);
            w->setLocalFolder(f->local->path());
            w->show();
        });
        QVERIFY(f->transfer->BttnCopyFileClick());
        QTRY_VERIFY_WITH_TIMEOUT(w && w->HostDirTree->topLevelItem(0), 10000);

        // Both panes: the drives under "My Computer", the first drive's files.
        QTreeWidgetItem *root = w->HostDirTree->topLevelItem(0);
        QCOMPARE(root->text(0), Msg("My Computer"));
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(w->CurrentHostPath, QStringLiteral("C:"));
        // Expanding a drive fetches its folders.
        root->child(0)->setExpanded(true);
        QTRY_VERIFY(remoteNode(QStringLiteral("C:\\Work")));
        w->HostDirTree->setCurrentItem(remoteNode(QStringLiteral("C:\\Work")));
        emit w->HostDirTree->itemClicked(remoteNode(QStringLiteral("C:\\Work")), 0);
        QTRY_COMPARE(w->HostFileView->topLevelItemCount(), 1);
        QCOMPARE(w->HostFileView->topLevelItem(0)->text(0), QStringLiteral("old.txt"));
        QCOMPARE(w->HostFileView->topLevelItem(0)->text(1), QStringLiteral("1 kB"));
        auto *model = qobject_cast<QFileSystemModel *>(w->ShellList->model());
        QTRY_VERIFY(model->index(f->localFile("send.txt")).isValid());

        // Ctrl+C in the local list, Ctrl+V in the remote list: the file goes to the host.
        w->ShellList->setCurrentIndex(model->index(f->localFile("send.txt")));
        press(w->ShellList, Qt::Key_C);
        press(w->HostFileView, Qt::Key_V);
        QTRY_COMPARE_WITH_TIMEOUT(readFile(f->remoteFile("C/Work/send.txt")),
                                  readFile(f->localFile("send.txt")), 10000);
        QTRY_VERIFY(w->MessagePanel->isHidden());
        // Ctrl+V in the local list after Ctrl+C there does nothing.
        press(w->ShellList, Qt::Key_C);
        press(w->ShellList, Qt::Key_V);

        // The target exists: the question shows while the window goes on; "No" sends nothing.
        w->ShellList->setCurrentIndex(model->index(f->localFile("old.txt")));
        w->BttnCopyLocalClick();
        TAskWarningForm *ask = nullptr;
        QTRY_VERIFY((ask = w->findChild<TAskWarningForm *>()) && ask->isVisible());
        QVERIFY(w->HostFileView->isEnabled());
        ask->findChild<QPushButton *>(QStringLiteral("BttnNo"))->click();
        QTest::qWait(300);
        QCOMPARE(readFile(f->remoteFile("C/Work/old.txt")), QByteArray("remote"));

        // A new remote folder takes the first free name.
        w->BttnNewFolderHostClick();
        QTRY_VERIFY(QFileInfo(f->remoteFile("C/Work/New Folder2")).isDir());
        QTRY_COMPARE(w->CurrentHostPath, QStringLiteral("C:\\Work\\New Folder2"));

        // A rename sends the name without the blanks typed around it, and the tree shows it.
        QTreeWidgetItem *folder = remoteNode(QStringLiteral("C:\\Work\\New Folder2"));
        QVERIFY(folder);
        w->HostDirTree->setCurrentItem(folder);
        w->BttnChangeFolderHostClick();
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = w->HostDirTree->findChild<QLineEdit *>()));
        editor->setText(QStringLiteral("  Trimmed  "));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QFileInfo(f->remoteFile("C/Work/Trimmed")).isDir());
        QTRY_COMPARE(w->CurrentHostPath, QStringLiteral("C:\\Work\\Trimmed"));
        QCOMPARE(folder->text(0), QStringLiteral("Trimmed"));

        // A listing that did not come leaves no files shown to copy from.
        QTRY_VERIFY(!w->HostFilesFolder.isEmpty());
        emit w->protocol()->filesLost(w->CurrentHostPath);
        QCOMPARE(w->HostFileView->topLevelItemCount(), 0);
        QVERIFY(w->HostFilesFolder.isEmpty());

        // Close: the host is told, the window goes, the session polls again.
        const qsizetype polls = f->gw->requestLog().withCode("03").size();
        w->BttnClose->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w, 10000);
        QVERIFY(!f->transfer->pending());
        QTRY_VERIFY(f->gw->requestLog().withCode("03").size() > polls + 1);
    }
};

QTEST_MAIN(TestTransferWindow)
#include "tst_transfer_window.moc"
