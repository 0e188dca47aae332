#pragma once
#include "transfer/HostListings.h"
#include "transfer/QVexplorerProtocol.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

// The file transfer window: the operator's own files above (folder tree, folder box and file
// list of this computer), the remote computer's below (drives and folders as a tree, files as a
// list), one file at a time in either direction by the buttons, by dragging a file to the other
// side, or with Ctrl+C and Ctrl+V. It is a thin window over TQVexplorerProtocol, which does all
// the talking; it closes itself when the protocol has closed, and deletes itself then.
class TQVexplorerForm : public QWidget {
    Q_OBJECT
public:
    TQVexplorerForm(TQVexplorerProtocol *protocol, QWidget *mainWindow = nullptr);
    ~TQVexplorerForm() override;

    TQVexplorerProtocol *protocol() const { return Protocol; }

    // The current folders of both sides.
    QString CurrentHostPath;
    // The remote folder whose files the file view shows; empty when it shows none.
    QString HostFilesFolder;
    QString localFolder() const { return LocalFolder; }
    void setLocalFolder(const QString &path);

    // Controls, named as in the form.
    QLabel *LblHeader, *LblTransferInfo, *LblLocal, *LblRemote, *eAddress, *StatusLabel;
    QTreeView *ShellFolders;
    QComboBox *ShellCombo;
    QTreeView *ShellList;
    QToolButton *BttnNewFolderLocal, *BttnChangeFolderLocal, *BttnFolderBackLocal, *BttnCopyLocal,
        *BttnRefreshLocal;
    QToolButton *BttnNewFolderHost, *BttnChangeFolderHost, *BttnCopyHost, *BttnRefreshHost;
    QTreeWidget *HostDirTree;
    QTreeWidget *HostFileView;
    QWidget *MessagePanel;
    QLabel *LblMsgFrom, *LblMsgSourceFrom, *LblMsgTo, *LblMsgSourceTo, *ImFlyFolder;
    QToolButton *ImMsgCloseBtn;
    QPushButton *BttnMsgCancel;
    QProgressBar *ProgressBar1;
    QPushButton *BttnCancel, *BttnClose;
    QTimer MsgPanelTimer;

    // Gestures (also what the buttons and keys do).
    void BttnCopyLocalClick();
    void BttnCopyHostClick();
    void BttnNewFolderHostClick();
    void BttnChangeFolderHostClick();
    void BttnRefreshHostClick();
    void BttnNewFolderLocalClick();
    void BttnChangeFolderLocalClick();
    void BttnFolderBackLocalClick();
    void BttnRefreshLocalClick();
    void BttnCancelClick();
    // A dragged file dropped on the other side: toward the host into `remoteFolder`, or to
    // the local computer into `localFolder`.
    void dropLocalFile(const QString &name, const QString &remoteFolder);
    void dropRemoteFile(const QString &name, const QString &localFolder);
    // The remote folder of a tree node ("C:\Temp"), or empty for the root.
    QString nodePath(QTreeWidgetItem *node) const;

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void FormCreate();
    void applyTexts();
    void layoutBottomLine();
    void showLocalFolderInTree();
    void fitHint();

    // Remote side.
    void FindDrivesDone(const HostListings::DriveList &drives);
    void UpdateFileView();
    void UpdateFileViewDone(const QString &path, const QList<HostListings::FileEntry> &files);
    void clearHostFiles();
    void HostDirTreeExpanded(QTreeWidgetItem *node);
    void HostDirTreeCollapsed(QTreeWidgetItem *node);
    void HostDirTreeClicked(QTreeWidgetItem *node);
    void FindDirs(QTreeWidgetItem *node, std::function<void()> then = {});
    void DisplayPath(QTreeWidgetItem *node);
    void addNewHostFolder(QTreeWidgetItem *parent);
    void HostDirTreeEdited(QTreeWidgetItem *node);

    // Transfers.
    void copy(bool toHost, const QString &name, const QString &source, const QString &target);
    void TransferStarted(bool toHost, const QString &source, const QString &target);
    void TransferEnded();
    void MsgPanelTimerTimer();
    void centerMessagePanel();
    QString fitPath(const QString &path, QLabel *label) const;
    void askOverwrite(const QString &question);
    void showMessage(int kind, const QString &text);
    void forgetDrag();

    QPointer<TQVexplorerProtocol> Protocol;
    QWidget *MainWindow;
    QFileSystemModel *FolderModel;
    QFileSystemModel *FileModel;
    QSplitter *PaneSplitter;
    QString LocalFolder;
    QString HintText;
    bool Activated = false;
    bool CloseAccepted = false;
    bool Dragging = false;
    bool FlyRight = true;
    int FlyStep = 0;
    // Ctrl+C: what was marked, from which folder, on which side.
    bool CopyMarked = false;
    bool CopyFromRemote = false;
    QString CopyName, CopyFolder;
    // A remote folder being renamed.
    QTreeWidgetItem *RenamingNode = nullptr;
    QString RenameOldName;
};
