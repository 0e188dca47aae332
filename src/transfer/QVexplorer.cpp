#include "transfer/QVexplorer.h"

#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "settings/uIniFiles.h"
#include "transfer/QVexplorerProtocol.h"
#include "transfer/TransferPictures.h"
#include "ui/AccessibleControls.h"
#include "ui/BorderlessWindow.h"
#include "ui/FlashInfo.h"
#include "ui/QVMessage.h"
#include "ui/uAskWarning.h"
#include "ui/uSounds.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSizeGrip>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace WindowMessages;
using namespace HostListings;

namespace {

const char *const kLocalMime = "application/x-quorvia-local-file";
const char *const kRemoteMime = "application/x-quorvia-remote-file";
constexpr int kFetchedRole = Qt::UserRole + 1; // a remote node whose folders were fetched
constexpr int kSizeRole = Qt::UserRole + 2;
constexpr int kFlyTop = 21;
constexpr int kFlyLefts[4] = {73, 117, 161, 205};
constexpr int kPanelWidth = 430;
constexpr int kPanelHeight = 176;

const QColor Band(16, 67, 134);
const QColor Surface(236, 242, 249);

QString joinPath(const QString &folder, const QString &name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The remote tree's renaming: the characters Windows and the host's command line refuse are
// dropped as they are typed.
class FolderNameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            static const QRegularExpression allowed(QStringLiteral("[^\\\\/:*?\"<>|&;,^()]*"));
            line->setValidator(new QRegularExpressionValidator(allowed, line));
            line->setMaxLength(kMaxRemoteNameLength);
        }
        return editor;
    }
    static constexpr int kMaxRemoteNameLength = 255;
};

// The four panes know which side a dragged file comes from; a drop is taken only from the other
// side's file list.
template <typename View> class DropPane : public View {
public:
    DropPane(TQVexplorerForm *form, bool local, bool dragSource, QWidget *parent)
        : View(parent), Form(form), Local(local) {
        this->setAcceptDrops(true);
        this->setDragEnabled(dragSource);
        this->setDropIndicatorShown(false);
        this->setDragDropMode(dragSource ? QAbstractItemView::DragDrop
                                         : QAbstractItemView::DropOnly);
        this->setDefaultDropAction(Qt::CopyAction);
    }
    std::function<void(QDropEvent *)> onDrop;
    std::function<QString()> dragName;
    std::function<void(const QString &name)> onDragStart;
    std::function<void()> onDragEnd;

protected:
    bool accepts(QDropEvent *e) const {
        const char *mime = Local ? kRemoteMime : kLocalMime;
        return e->mimeData()->hasFormat(QLatin1String(mime)) && e->source() &&
               e->source() != this &&
               (Local ? e->source() == static_cast<QObject *>(Form->HostFileView)
                      : e->source() == static_cast<QObject *>(Form->ShellList));
    }
    void dragEnterEvent(QDragEnterEvent *e) override {
        if (accepts(e))
            e->acceptProposedAction();
        else
            e->ignore();
    }
    void dragMoveEvent(QDragMoveEvent *e) override {
        if (accepts(e))
            e->acceptProposedAction();
        else
            e->ignore();
    }
    void dropEvent(QDropEvent *e) override {
        if (!accepts(e)) {
            e->ignore();
            return;
        }
        e->acceptProposedAction();
        if (onDrop)
            onDrop(e);
    }
    void startDrag(Qt::DropActions) override {
        const QString name = dragName ? dragName() : QString();
        if (name.isEmpty())
            return;
        auto *mime = new QMimeData;
        mime->setData(QLatin1String(Local ? kLocalMime : kRemoteMime), name.toUtf8());
        auto *drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->setPixmap(TransferPictures::FileIcon(name).pixmap(16, 16));
        if (onDragStart)
            onDragStart(name);
        QPointer<QWidget> self(this);
        drag->exec(Qt::CopyAction, Qt::CopyAction);
        if (self && onDragEnd)
            onDragEnd();
    }

private:
    TQVexplorerForm *Form;
    bool Local;
};

QString droppedName(QDropEvent *e, bool fromLocal) {
    return QString::fromUtf8(
        e->mimeData()->data(QLatin1String(fromLocal ? kLocalMime : kRemoteMime)));
}

// Closed, and open while selected.
QIcon folderNodeIcon() {
    QIcon icon = TransferPictures::FolderIcon(false);
    const QIcon open = TransferPictures::FolderIcon(true);
    icon.addPixmap(open.pixmap(16, 16), QIcon::Selected);
    return icon;
}

QToolButton *imageButton(const char *resource, QWidget *parent) {
    auto *b = new QToolButton(parent);
    b->setIcon(TransferPictures::ButtonIcon(QLatin1String(resource)));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    PlayClickOnClick(b);
    return b;
}

} // namespace

TQVexplorerForm::TQVexplorerForm(TQVexplorerProtocol *protocol, QWidget *mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Protocol(protocol), MainWindow(mainWindow) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setObjectName(QStringLiteral("QVexplorerForm"));
    FormCreate();
}

TQVexplorerForm::~TQVexplorerForm() = default;

void TQVexplorerForm::FormCreate() {
    AddTrace(182);
    setWindowTitle(QStringLiteral("  Quorvia"));
    setMinimumSize(780, 380);
    EnableSurfaceDrag(this);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 0, 8, 6);
    outer->setSpacing(4);

    // Header band.
    auto *header = new QHBoxLayout;
    header->setContentsMargins(6, 6, 6, 6);
    LblHeader = new QLabel(this);
    LblHeader->setObjectName(QStringLiteral("LblHeader"));
    LblHeader->setStyleSheet(QStringLiteral("color: white; font-weight: bold; font-size: 12pt;"));
    LblTransferInfo = new QLabel(this);
    LblTransferInfo->setStyleSheet(QStringLiteral("color: #dbe6f5;"));
    LblTransferInfo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    header->addWidget(LblHeader);
    header->addSpacing(5);
    header->addWidget(LblTransferInfo, 1);
    outer->addLayout(header);

    // Local pane.
    auto *localPane = new QWidget(this);
    auto *localLayout = new QVBoxLayout(localPane);
    localLayout->setContentsMargins(0, 0, 0, 0);
    localLayout->setSpacing(2);
    auto *localBar = new QHBoxLayout;
    LblLocal = new QLabel(localPane);
    LblLocal->setStyleSheet(QStringLiteral("font-weight: bold; color: #104386;"));
    LblLocal->setMinimumWidth(70);
    ShellCombo = new QComboBox(localPane);
    ShellCombo->setEditable(true);
    ShellCombo->setInsertPolicy(QComboBox::NoInsert);
    ShellCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    BttnNewFolderLocal = imageButton("rcFtNewFolder_bmp", localPane);
    BttnChangeFolderLocal = imageButton("rcFtRename_bmp", localPane);
    BttnFolderBackLocal = imageButton("rcFtFolderUp_bmp", localPane);
    BttnCopyLocal = imageButton("rcFtFileTransfer_bmp", localPane);
    BttnRefreshLocal = imageButton("rcFtRefresh_bmp", localPane);
    localBar->addWidget(LblLocal);
    localBar->addWidget(ShellCombo, 1);
    for (QToolButton *b : {BttnNewFolderLocal, BttnChangeFolderLocal, BttnFolderBackLocal,
                           BttnCopyLocal, BttnRefreshLocal})
        localBar->addWidget(b);
    localLayout->addLayout(localBar);

    FolderModel = new QFileSystemModel(this);
    FolderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    FolderModel->setReadOnly(false);
    FolderModel->setRootPath(QDir::rootPath());
    FileModel = new QFileSystemModel(this);
    // Regular files only: a FIFO, a socket or a device is never offered (no QDir::System).
    FileModel->setFilter(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    FileModel->setReadOnly(true);

    auto *localSplit = new QSplitter(Qt::Horizontal, localPane);
    auto *folders = new DropPane<QTreeView>(this, true, false, localSplit);
    ShellFolders = folders;
    ShellFolders->setModel(FolderModel);
    ShellFolders->setRootIndex(FolderModel->index(QDir::rootPath()));
    for (int c = 1; c < FolderModel->columnCount(); ++c)
        ShellFolders->hideColumn(c);
    ShellFolders->setHeaderHidden(true);
    ShellFolders->setRootIsDecorated(true);
    ShellFolders->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShellFolders->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *files = new DropPane<QTreeView>(this, true, true, localSplit);
    ShellList = files;
    ShellList->setModel(FileModel);
    ShellList->setRootIsDecorated(false);
    ShellList->setSortingEnabled(true);
    ShellList->sortByColumn(0, Qt::AscendingOrder);
    ShellList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShellList->setSelectionMode(QAbstractItemView::SingleSelection);
    ShellList->header()->resizeSection(0, 240);
    localSplit->addWidget(ShellFolders);
    localSplit->addWidget(ShellList);
    localSplit->setStretchFactor(1, 2);
    localLayout->addWidget(localSplit, 1);

    // Remote pane.
    auto *remotePane = new QWidget(this);
    auto *remoteLayout = new QVBoxLayout(remotePane);
    remoteLayout->setContentsMargins(0, 0, 0, 0);
    remoteLayout->setSpacing(2);
    auto *remoteBar = new QHBoxLayout;
    LblRemote = new QLabel(remotePane);
    LblRemote->setStyleSheet(QStringLiteral("font-weight: bold; color: #104386;"));
    LblRemote->setMinimumWidth(70);
    eAddress = new QLabel(remotePane);
    eAddress->setObjectName(QStringLiteral("eAddress"));
    eAddress->setFrameShape(QFrame::StyledPanel);
    eAddress->setStyleSheet(QStringLiteral("background: white; padding: 2px;"));
    eAddress->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    BttnNewFolderHost = imageButton("rcFtNewFolder_bmp", remotePane);
    BttnChangeFolderHost = imageButton("rcFtRename_bmp", remotePane);
    BttnCopyHost = imageButton("rcFtFileTransfer_bmp", remotePane);
    BttnRefreshHost = imageButton("rcFtRefresh_bmp", remotePane);
    remoteBar->addWidget(LblRemote);
    remoteBar->addWidget(eAddress, 1);
    for (QToolButton *b : {BttnNewFolderHost, BttnChangeFolderHost, BttnCopyHost, BttnRefreshHost})
        remoteBar->addWidget(b);
    remoteLayout->addLayout(remoteBar);

    auto *remoteSplit = new QSplitter(Qt::Horizontal, remotePane);
    auto *tree = new DropPane<QTreeWidget>(this, false, false, remoteSplit);
    HostDirTree = tree;
    HostDirTree->setHeaderHidden(true);
    HostDirTree->setColumnCount(1);
    HostDirTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    HostDirTree->setItemDelegate(new FolderNameDelegate(HostDirTree));
    auto *list = new DropPane<QTreeWidget>(this, false, true, remoteSplit);
    HostFileView = list;
    HostFileView->setColumnCount(3);
    HostFileView->setRootIsDecorated(false);
    HostFileView->setSelectionMode(QAbstractItemView::SingleSelection);
    HostFileView->header()->setSectionsClickable(false);
    HostFileView->header()->setStretchLastSection(false);
    HostFileView->header()->resizeSection(0, 250);
    HostFileView->header()->resizeSection(1, 90);
    HostFileView->header()->resizeSection(2, 85);
    HostFileView->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    HostFileView->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    remoteSplit->addWidget(HostDirTree);
    remoteSplit->addWidget(HostFileView);
    remoteSplit->setStretchFactor(1, 2);
    remoteLayout->addWidget(remoteSplit, 1);

    PaneSplitter = new QSplitter(Qt::Vertical, this);
    PaneSplitter->addWidget(localPane);
    PaneSplitter->addWidget(remotePane);
    outer->addWidget(PaneSplitter, 1);

    // Bottom line.
    auto *bottom = new QHBoxLayout;
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setFixedWidth(150);
    ProgressBar1->setTextVisible(false);
    BttnCancel = new QPushButton(this);
    BttnCancel->setObjectName(QStringLiteral("BttnCancel"));
    BttnClose = new QPushButton(this);
    BttnClose->setObjectName(QStringLiteral("BttnClose"));
    PlayClickOnClick(BttnCancel);
    PlayClickOnClick(BttnClose);
    bottom->addWidget(StatusLabel, 1);
    bottom->addSpacing(8);
    bottom->addWidget(ProgressBar1);
    bottom->addSpacing(8);
    bottom->addWidget(BttnCancel);
    bottom->addSpacing(8);
    bottom->addWidget(BttnClose);
    bottom->addSpacing(19);
    outer->addLayout(bottom);
    auto *grip = new QSizeGrip(this);
    grip->resize(16, 16);
    grip->setObjectName(QStringLiteral("SizeGrip"));

    // The transfer panel, laid over the panes.
    MessagePanel = new QWidget(this);
    MessagePanel->setObjectName(QStringLiteral("MessagePanel"));
    MessagePanel->setFixedSize(kPanelWidth, kPanelHeight);
    MessagePanel->setAutoFillBackground(false);
    MessagePanel->setStyleSheet(
        QStringLiteral("#MessagePanel { background: white; border: 1px solid #8aa4c8; "
                       "border-radius: 8px; } QLabel { color: #1a2f4d; }"));
    ImFlyFolder = new QLabel(MessagePanel);
    ImFlyFolder->setFixedSize(40, 32);
    LblMsgFrom = new QLabel(MessagePanel);
    LblMsgSourceFrom = new QLabel(MessagePanel);
    LblMsgTo = new QLabel(MessagePanel);
    LblMsgSourceTo = new QLabel(MessagePanel);
    for (QLabel *l : {LblMsgFrom, LblMsgTo})
        l->setStyleSheet(QStringLiteral("font-weight: bold;"));
    LblMsgFrom->setGeometry(14, 62, kPanelWidth - 28, 16);
    LblMsgSourceFrom->setGeometry(24, 78, kPanelWidth - 38, 16);
    LblMsgTo->setGeometry(14, 96, kPanelWidth - 28, 16);
    LblMsgSourceTo->setGeometry(24, 112, kPanelWidth - 38, 16);
    ImMsgCloseBtn = new QToolButton(MessagePanel);
    ImMsgCloseBtn->setText(QStringLiteral("\u00d7"));
    ImMsgCloseBtn->setAutoRaise(true);
    ImMsgCloseBtn->setGeometry(kPanelWidth - 26, 4, 22, 22);
    BttnMsgCancel = new QPushButton(MessagePanel);
    BttnMsgCancel->setObjectName(QStringLiteral("BttnMsgCancel"));
    BttnMsgCancel->setFixedHeight(26);
    PlayClickOnClick(BttnMsgCancel);
    MessagePanel->hide();

    MsgPanelTimer.setInterval(500);
    connect(&MsgPanelTimer, &QTimer::timeout, this, &TQVexplorerForm::MsgPanelTimerTimer);

    // Gestures.
    connect(BttnNewFolderLocal, &QToolButton::clicked, this,
            &TQVexplorerForm::BttnNewFolderLocalClick);
    connect(BttnChangeFolderLocal, &QToolButton::clicked, this,
            &TQVexplorerForm::BttnChangeFolderLocalClick);
    connect(BttnFolderBackLocal, &QToolButton::clicked, this,
            &TQVexplorerForm::BttnFolderBackLocalClick);
    connect(BttnCopyLocal, &QToolButton::clicked, this, &TQVexplorerForm::BttnCopyLocalClick);
    connect(BttnRefreshLocal, &QToolButton::clicked, this, &TQVexplorerForm::BttnRefreshLocalClick);
    connect(BttnNewFolderHost, &QToolButton::clicked, this,
            &TQVexplorerForm::BttnNewFolderHostClick);
    connect(BttnChangeFolderHost, &QToolButton::clicked, this,
            &TQVexplorerForm::BttnChangeFolderHostClick);
    connect(BttnCopyHost, &QToolButton::clicked, this, &TQVexplorerForm::BttnCopyHostClick);
    connect(BttnRefreshHost, &QToolButton::clicked, this, &TQVexplorerForm::BttnRefreshHostClick);
    connect(BttnCancel, &QPushButton::clicked, this, &TQVexplorerForm::BttnCancelClick);
    connect(BttnMsgCancel, &QPushButton::clicked, this, &TQVexplorerForm::BttnCancelClick);
    connect(ImMsgCloseBtn, &QToolButton::clicked, MessagePanel, &QWidget::hide);
    connect(BttnClose, &QPushButton::clicked, this, [this] {
        AddTrace(187);
        if (Protocol && Protocol->TransferActive)
            Protocol->CancelTransfer();
        close();
    });

    connect(FolderModel, &QFileSystemModel::directoryLoaded, this, [this](const QString &path) {
        if (LocalFolder.startsWith(path))
            showLocalFolderInTree();
    });
    connect(ShellFolders->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    setLocalFolder(FolderModel->filePath(current));
            });
    connect(ShellFolders, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        // A right click selects first.
        const QModelIndex at = ShellFolders->indexAt(pos);
        if (at.isValid())
            ShellFolders->setCurrentIndex(at);
        QMenu menu(this);
        menu.addAction(QStringLiteral("Create new Folder"), this,
                       &TQVexplorerForm::BttnNewFolderLocalClick);
        menu.addAction(QStringLiteral("Rename Folder"), this,
                       &TQVexplorerForm::BttnChangeFolderLocalClick);
        menu.popup(ShellFolders->viewport()->mapToGlobal(pos));
    });
    connect(ShellCombo->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        const QString path = QDir::fromNativeSeparators(ShellCombo->currentText());
        if (QFileInfo(path).isDir())
            setLocalFolder(path);
        else
            ShellCombo->setEditText(LocalFolder);
    });
    connect(ShellCombo, &QComboBox::activated, this,
            [this](int index) { setLocalFolder(ShellCombo->itemText(index)); });

    connect(HostDirTree, &QTreeWidget::itemExpanded, this, &TQVexplorerForm::HostDirTreeExpanded);
    connect(HostDirTree, &QTreeWidget::itemCollapsed, this, &TQVexplorerForm::HostDirTreeCollapsed);
    connect(HostDirTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *node) { HostDirTreeClicked(node); });
    // An edit that ends without a change leaves nothing to rename.
    connect(HostDirTree->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this] { RenamingNode = nullptr; });
    connect(HostDirTree, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *node, int) { HostDirTreeEdited(node); });

    // Drag and drop between the sides.
    files->dragName = [this] {
        const QModelIndex i = ShellList->currentIndex();
        return i.isValid() ? FileModel->fileName(i) : QString();
    };
    files->onDragStart = [this](const QString &name) {
        Dragging = true;
        AddTrace(151, QStringLiteral("Src:") + joinPath(LocalFolder, name));
        StatusLabel->setText(Msg("Transferring local file: ") + joinPath(LocalFolder, name));
    };
    files->onDragEnd = [this] { forgetDrag(); };
    files->onDrop = [this](QDropEvent *e) {
        AddTrace(152, QStringLiteral("Target:") + LocalFolder);
        dropRemoteFile(droppedName(e, false), LocalFolder);
    };
    folders->onDrop = [this](QDropEvent *e) {
        const QModelIndex at = ShellFolders->indexAt(e->position().toPoint());
        if (!at.isValid())
            return;
        ShellFolders->setCurrentIndex(at);
        AddTrace(153, QStringLiteral("Target:") + LocalFolder);
        dropRemoteFile(droppedName(e, false), LocalFolder);
    };
    list->dragName = [this] {
        QTreeWidgetItem *i = HostFileView->currentItem();
        return i ? i->text(0) : QString();
    };
    list->onDragStart = [this](const QString &name) {
        Dragging = true;
        AddTrace(154, QStringLiteral("Src:") + name);
        StatusLabel->setText(Msg("Transferring remote file: ") + CurrentHostPath +
                             QLatin1Char('\\') + name);
    };
    list->onDragEnd = [this] { forgetDrag(); };
    list->onDrop = [this](QDropEvent *e) {
        AddTrace(155, QStringLiteral("Target") + CurrentHostPath);
        dropLocalFile(droppedName(e, true), CurrentHostPath);
    };
    tree->onDrop = [this](QDropEvent *e) {
        AddTrace(147);
        // On a node's item or right of it; the empty area below the nodes takes nothing.
        const QPoint p = e->position().toPoint();
        QTreeWidgetItem *node = HostDirTree->itemAt(p);
        if (!node || !node->parent())
            return;
        HostDirTree->setCurrentItem(node);
        DisplayPath(node);
        AddTrace(156, QStringLiteral("Target") + CurrentHostPath);
        dropLocalFile(droppedName(e, true), CurrentHostPath);
    };

    // Key preview: Ctrl+C and Ctrl+V act on the pane with the focus.
    for (QWidget *w : {static_cast<QWidget *>(ShellList), static_cast<QWidget *>(ShellFolders),
                       static_cast<QWidget *>(HostDirTree), static_cast<QWidget *>(HostFileView)})
        w->installEventFilter(this);

    if (Protocol) {
        connect(Protocol, &TQVexplorerProtocol::drivesArrived, this,
                &TQVexplorerForm::FindDrivesDone);
        connect(Protocol, &TQVexplorerProtocol::filesArrived, this,
                &TQVexplorerForm::UpdateFileViewDone);
        connect(Protocol, &TQVexplorerProtocol::filesLost, this, [this](const QString &path) {
            unsetCursor();
            if (path.compare(HostFilesFolder, Qt::CaseInsensitive) == 0 ||
                path.compare(CurrentHostPath, Qt::CaseInsensitive) == 0)
                clearHostFiles();
        });
        connect(Protocol, &TQVexplorerProtocol::notification, this,
                [](const QString &title, const QString &text) { ShowFlashInfo(title, text, 3); });
        connect(Protocol, &TQVexplorerProtocol::overwriteQuestion, this,
                &TQVexplorerForm::askOverwrite);
        connect(Protocol, &TQVexplorerProtocol::transferStarted, this,
                &TQVexplorerForm::TransferStarted);
        connect(Protocol, &TQVexplorerProtocol::transferEnded, this,
                &TQVexplorerForm::TransferEnded);
        connect(Protocol, &TQVexplorerProtocol::progressChanged, ProgressBar1,
                &QProgressBar::setValue);
        connect(Protocol, &TQVexplorerProtocol::remoteFilesChanged, this,
                &TQVexplorerForm::UpdateFileView);
        connect(Protocol, &TQVexplorerProtocol::localFilesChanged, this,
                [this] { BttnRefreshLocalClick(); });
        connect(Protocol, &TQVexplorerProtocol::waitingChanged, this, [this](bool busy) {
            if (busy)
                setCursor(Qt::WaitCursor);
            else
                unsetCursor();
        });
        connect(Protocol, &TQVexplorerProtocol::closed, this, [this] {
            CloseAccepted = true;
            // A drag runs its own event loop: the window goes once it has ended.
            if (!Dragging)
                close();
        });
    }

    registerLanguageListener(this);
    applyTexts();
    const Settings &s = settings();
    if (s.ExplorerWidth > 0 && s.ExplorerHeight > 0)
        setGeometry(s.ExplorerLeft, s.ExplorerTop, qMax(780, s.ExplorerWidth),
                    qMax(380, s.ExplorerHeight));
    else
        resize(802, 534);
    setLocalFolder(QDir::homePath());
}

void TQVexplorerForm::applyTexts() {
    LblHeader->setText(Msg("FILE TRANSFER"));
    HintText = ToDisplayLines(Msg("Transfer file in both directions using buttons, drag && "
                                  "drop or copy && paste"))
                   .replace(QLatin1String("&&"), QLatin1String("&"));
    fitHint();
    LblLocal->setText(Msg("Local"));
    LblRemote->setText(Msg("Remote"));
    BttnClose->setText(Msg("Close"));
    BttnCancel->setText(Msg("Cancel transfer"));
    BttnMsgCancel->setText(Msg("Cancel transfer"));
    BttnMsgCancel->adjustSize();
    BttnMsgCancel->move(kPanelWidth - BttnMsgCancel->width() - 14, kPanelHeight - 26 - 12);
    HostFileView->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Attr")});
    SetButtonHint(BttnNewFolderLocal, QStringLiteral("New folder"));
    SetButtonHint(BttnChangeFolderLocal, QStringLiteral("Rename folder"));
    SetButtonHint(BttnFolderBackLocal, QStringLiteral("Folder up"));
    SetButtonHint(BttnCopyLocal, QStringLiteral("Start file transfer"));
    SetButtonHint(BttnRefreshLocal, QStringLiteral("Refresh view"));
    SetButtonHint(BttnNewFolderHost, QStringLiteral("New folder"));
    SetButtonHint(BttnChangeFolderHost, QStringLiteral("Rename folder"));
    SetButtonHint(BttnCopyHost, QStringLiteral("Start file transfer"));
    SetButtonHint(BttnRefreshHost, QStringLiteral("Refresh view"));
    SetButtonHint(ImMsgCloseBtn, Msg("Close"));
    if (QTreeWidgetItem *root = HostDirTree->topLevelItem(0))
        root->setText(0, Msg("My Computer"));
}

bool TQVexplorerForm::event(QEvent *e) {
    if (messageOf(e) == UpdateForm) {
        applyTexts();
        return true;
    }
    return QWidget::event(e);
}

void TQVexplorerForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Surface);
    const int band = LblHeader->geometry().bottom() + 7;
    QLinearGradient g(0, 0, 0, band);
    g.setColorAt(0, Band.lighter(125));
    g.setColorAt(1, Band);
    p.fillRect(QRect(0, 0, width(), band), g);
    p.setPen(Band.darker(120));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TQVexplorerForm::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    AddTrace(157);
    ProgressBar1->hide();
    BttnCancel->hide();
    layoutBottomLine();
    if (!Activated && Protocol) {
        // The drives are asked for and polling starts once the window is up.
        Activated = true;
        const int total = PaneSplitter->height();
        PaneSplitter->setSizes({total / 2, total - total / 2});
        CurrentHostPath.clear();
        eAddress->clear();
        QTimer::singleShot(0, Protocol, [p = Protocol] {
            if (p)
                p->Activate();
        });
    }
}

// A translation too long for the header band ends in "…"; the whole text is its tool tip.
void TQVexplorerForm::fitHint() {
    const int room = width() - LblHeader->sizeHint().width() - 40;
    LblTransferInfo->setText(
        LblTransferInfo->fontMetrics().elidedText(HintText, Qt::ElideRight, qMax(0, room)));
    LblTransferInfo->setToolTip(HintText);
}

void TQVexplorerForm::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    fitHint();
    layoutBottomLine();
    centerMessagePanel();
}

void TQVexplorerForm::layoutBottomLine() {
    if (auto *grip = findChild<QSizeGrip *>(QStringLiteral("SizeGrip")))
        grip->move(width() - grip->width(), height() - grip->height());
}

void TQVexplorerForm::closeEvent(QCloseEvent *e) {
    if (!CloseAccepted && Protocol && !Protocol->isClosed()) {
        // The host is told first; the window goes when the protocol has closed.
        e->ignore();
        AddTrace(175);
        MsgPanelTimer.stop();
        MessagePanel->hide();
        setCursor(Qt::WaitCursor);
        Protocol->Close();
        // A protocol with nothing to tell the host (not yet polling) closes at once; its
        // "closed" came while this close was still refused, so the window goes now.
        if (!Protocol->isClosed())
            return;
        e->accept();
    }
    Settings &s = settings();
    s.ExplorerLeft = x();
    s.ExplorerTop = y();
    s.ExplorerWidth = width();
    s.ExplorerHeight = height();
    MsgPanelTimer.stop();
    e->accept();
}

bool TQVexplorerForm::eventFilter(QObject *watched, QEvent *e) {
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, e);
    auto *k = static_cast<QKeyEvent *>(e);
    AddTrace(158, QStringLiteral("Key:") + QString::number(k->key()));
    if (!(k->modifiers() & Qt::ControlModifier))
        return false;
    if (k->key() == Qt::Key_C) {
        CopyMarked = false;
        if (watched == HostFileView && HostFileView->currentItem() && !HostFilesFolder.isEmpty()) {
            CopyName = HostFileView->currentItem()->text(0);
            CopyFolder = HostFilesFolder + QLatin1Char('\\');
            CopyFromRemote = true;
            CopyMarked = true;
        } else if (watched == ShellList && ShellList->currentIndex().isValid()) {
            CopyName = FileModel->fileName(ShellList->currentIndex());
            CopyFolder = LocalFolder.endsWith(QLatin1Char('/')) ? LocalFolder
                                                                : LocalFolder + QLatin1Char('/');
            CopyFromRemote = false;
            CopyMarked = true;
        }
        return true;
    }
    if (k->key() == Qt::Key_V) {
        if (CopyMarked) {
            if ((watched == HostFileView || watched == HostDirTree) && !CopyFromRemote)
                copy(true, CopyName, CopyFolder, CurrentHostPath);
            else if ((watched == ShellList || watched == ShellFolders) && CopyFromRemote)
                copy(false, CopyName, CopyFolder, LocalFolder);
        }
        CopyMarked = false;
        return true;
    }
    return false;
}

// ---- Local side ------------------------------------------------------------------------------

void TQVexplorerForm::setLocalFolder(const QString &path) {
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (!QFileInfo(folder).isDir())
        return;
    const bool changed = folder != LocalFolder;
    LocalFolder = folder;
    if (changed) {
        FileModel->setRootPath(folder);
        ShellList->setRootIndex(FileModel->index(folder));
        if (ShellCombo->findText(folder) < 0)
            ShellCombo->insertItem(0, folder);
        ShellCombo->setCurrentIndex(ShellCombo->findText(folder));
    }
    showLocalFolderInTree();
}

// The tree shows the current folder, its ancestors open; they load in the background, so this
// runs again as they come in.
void TQVexplorerForm::showLocalFolderInTree() {
    const QModelIndex node = FolderModel->index(LocalFolder);
    if (!node.isValid())
        return;
    for (QModelIndex p = node.parent(); p.isValid(); p = p.parent())
        ShellFolders->expand(p);
    if (ShellFolders->currentIndex() != node)
        ShellFolders->setCurrentIndex(node);
    ShellFolders->scrollTo(node, QAbstractItemView::PositionAtCenter);
}

void TQVexplorerForm::BttnNewFolderLocalClick() {
    AddTrace(143);
    if (LocalFolder.isEmpty() || !QFileInfo(LocalFolder).isDir())
        return;
    QString name = QStringLiteral("New Folder");
    for (int n = 1; QFileInfo::exists(joinPath(LocalFolder, name)); ++n)
        name = QStringLiteral("New Folder") + QString::number(n);
    AddTrace(142, QStringLiteral("Path:") + LocalFolder + QStringLiteral(" - Folder:") + name);
    const QModelIndex parent = FolderModel->index(LocalFolder);
    const QModelIndex created = FolderModel->mkdir(parent, name);
    if (!created.isValid()) {
        showMessage(mkError, QStringLiteral("Unable to create folder !"));
        return;
    }
    ShellFolders->expand(parent);
    ShellFolders->setCurrentIndex(created);
    ShellFolders->edit(created);
}

void TQVexplorerForm::BttnChangeFolderLocalClick() {
    AddTrace(144);
    const QModelIndex current = ShellFolders->currentIndex();
    // Not the top of the tree.
    if (current.isValid() && current.parent().isValid() &&
        current.parent() != ShellFolders->rootIndex())
        ShellFolders->edit(current);
}

void TQVexplorerForm::BttnFolderBackLocalClick() {
    QDir d(LocalFolder);
    if (d.cdUp())
        setLocalFolder(d.absolutePath());
}

void TQVexplorerForm::BttnRefreshLocalClick() {
    AddTrace(146);
    // The models watch their folders; setting the root again reads a folder that changed
    // behind the watcher's back.
    const QString folder = LocalFolder;
    FileModel->setRootPath(QString());
    FileModel->setRootPath(folder);
    ShellList->setRootIndex(FileModel->index(folder));
}

// ---- Remote side -----------------------------------------------------------------------------

QString TQVexplorerForm::nodePath(QTreeWidgetItem *node) const {
    QString path;
    for (QTreeWidgetItem *n = node; n && n->parent(); n = n->parent()) {
        path = path.isEmpty() ? n->text(0) : n->text(0) + QLatin1Char('\\') + path;
        if (path.size() > 1 && path[1] == QLatin1Char(':') && !n->parent()->parent())
            break;
    }
    return path;
}

void TQVexplorerForm::FindDrivesDone(const DriveList &drives) {
    HostDirTree->clear();
    setCursor(Qt::WaitCursor);
    auto *root = new QTreeWidgetItem(HostDirTree, {Msg("My Computer")});
    root->setIcon(0, TransferPictures::ComputerIcon());
    root->setData(0, kFetchedRole, true);
    const QString first = drives.first.isEmpty() ? QStringLiteral("C:") : drives.first;
    QTreeWidgetItem *selected = nullptr;
    for (const Drive &d : drives.drives) {
        auto *node = new QTreeWidgetItem(root, {d.name});
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        node->setIcon(0, TransferPictures::DriveIcon(d.kind));
        if (d.name == first)
            selected = node;
    }
    root->setExpanded(true);
    if (selected)
        HostDirTree->setCurrentItem(selected);
    unsetCursor();
    if (drives.first.isEmpty() && drives.drives.isEmpty()) {
        CurrentHostPath = first;
        return;
    }
    CurrentHostPath = first;
    UpdateFileView();
}

void TQVexplorerForm::UpdateFileView() {
    AddTrace(126);
    if (!Protocol || CurrentHostPath.isEmpty())
        return;
    setCursor(Qt::WaitCursor);
    eAddress->setText(CurrentHostPath);
    // Another folder's files are not shown under this one while its list is on its way.
    if (CurrentHostPath.compare(HostFilesFolder, Qt::CaseInsensitive) != 0)
        clearHostFiles();
    Protocol->GetHostFiles(CurrentHostPath);
}

void TQVexplorerForm::clearHostFiles() {
    HostFileView->clear();
    HostFilesFolder.clear();
}

void TQVexplorerForm::UpdateFileViewDone(const QString &path, const QList<FileEntry> &files) {
    AddTrace(127);
    unsetCursor();
    if (path.compare(CurrentHostPath, Qt::CaseInsensitive) != 0)
        return;
    HostFileView->setUpdatesEnabled(false);
    HostFileView->clear();
    HostFilesFolder = path;
    QList<QTreeWidgetItem *> items;
    items.reserve(files.size());
    for (const FileEntry &f : files) {
        auto *item =
            new QTreeWidgetItem({f.name, FileSizeText(f.size), AttributeText(f.attributes)});
        item->setIcon(0, TransferPictures::FileIcon(f.name));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, kSizeRole, f.size);
        items.append(item);
    }
    std::sort(items.begin(), items.end(), [](QTreeWidgetItem *a, QTreeWidgetItem *b) {
        return a->text(0).compare(b->text(0), Qt::CaseInsensitive) < 0;
    });
    HostFileView->addTopLevelItems(items);
    HostFileView->setUpdatesEnabled(true);
}

void TQVexplorerForm::FindDirs(QTreeWidgetItem *node, std::function<void()> then) {
    const QString path = nodePath(node);
    AddTrace(128, path);
    if (!Protocol)
        return;
    setCursor(Qt::WaitCursor);
    QPointer<QTreeWidget> tree(HostDirTree);
    // The node may go (the drives are read again) before the answer comes: it is found again
    // by its path.
    Protocol->GetHostDirs(path, [this, tree, path, then](bool ok, const QList<FolderEntry> &list) {
        if (!tree)
            return;
        unsetCursor();
        QTreeWidgetItem *node = nullptr;
        for (QTreeWidgetItemIterator it(HostDirTree); *it && !node; ++it)
            if ((*it)->parent() && nodePath(*it).compare(path, Qt::CaseInsensitive) == 0)
                node = *it;
        if (!node)
            return;
        QList<FolderEntry> folders = list;
        std::sort(folders.begin(), folders.end(), [](const FolderEntry &a, const FolderEntry &b) {
            return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
        });
        if (ok && node->childCount() == 0) {
            node->setData(0, kFetchedRole, true);
            for (const FolderEntry &f : folders) {
                auto *child = new QTreeWidgetItem(node, {f.name});
                child->setIcon(0, folderNodeIcon());
                child->setFlags(child->flags() | Qt::ItemIsEditable);
                if (f.hasSubfolders)
                    child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            }
        }
        if (node->childCount() == 0)
            node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
        if (then)
            then();
    });
}

void TQVexplorerForm::HostDirTreeExpanded(QTreeWidgetItem *node) {
    if (!node->parent() || node->childCount() > 0 || node->data(0, kFetchedRole).toBool())
        return;
    FindDirs(node, [this, path = nodePath(node)] {
        for (QTreeWidgetItemIterator it(HostDirTree); *it; ++it)
            if ((*it)->parent() && nodePath(*it) == path && (*it)->childCount() > 0)
                (*it)->setExpanded(true);
    });
}

void TQVexplorerForm::HostDirTreeCollapsed(QTreeWidgetItem *node) {
    AddTrace(133);
    if (!node->parent()) {
        CurrentHostPath = node->text(0);
        eAddress->clear();
        HostFileView->clear();
        return;
    }
    const QString path = nodePath(node);
    if (path != CurrentHostPath) {
        CurrentHostPath = path;
        UpdateFileView();
    }
}

void TQVexplorerForm::HostDirTreeClicked(QTreeWidgetItem *node) {
    AddTrace(132);
    PlaySystemSound(sndClick);
    if (!node || !node->parent() || RenamingNode)
        return;
    const QString path = nodePath(node);
    if (path != CurrentHostPath)
        DisplayPath(node);
}

void TQVexplorerForm::DisplayPath(QTreeWidgetItem *node) {
    AddTrace(135);
    CurrentHostPath = nodePath(node);
    eAddress->setText(CurrentHostPath);
    UpdateFileView();
}

void TQVexplorerForm::BttnRefreshHostClick() {
    AddTrace(138);
    if (!eAddress->text().isEmpty())
        CurrentHostPath = eAddress->text();
    UpdateFileView();
}

void TQVexplorerForm::BttnNewFolderHostClick() {
    AddTrace(136);
    QTreeWidgetItem *parent = HostDirTree->currentItem();
    if (!parent)
        return;
    if (!parent->parent()) {
        showMessage(mkInformation, QStringLiteral("Unable to create directory in root"));
        return;
    }
    // The folders of the node come first, so the new name is unique among them.
    if (parent->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator &&
        !parent->data(0, kFetchedRole).toBool()) {
        HostFileView->clear();
        FindDirs(parent, [this, path = nodePath(parent)] {
            for (QTreeWidgetItemIterator it(HostDirTree); *it; ++it)
                if ((*it)->parent() && nodePath(*it) == path) {
                    addNewHostFolder(*it);
                    return;
                }
        });
        return;
    }
    addNewHostFolder(parent);
}

void TQVexplorerForm::addNewHostFolder(QTreeWidgetItem *parent) {
    QString name = QStringLiteral("New Folder");
    auto taken = [parent](const QString &n) {
        for (int i = 0; i < parent->childCount(); ++i)
            if (parent->child(i)->text(0).compare(n, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    for (int n = 1; taken(name); ++n)
        name = QStringLiteral("New Folder") + QString::number(n);
    const QString address = nodePath(parent);
    HostDirTree->blockSignals(true);
    auto *node = new QTreeWidgetItem(parent, {name});
    node->setIcon(0, folderNodeIcon());
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    parent->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    parent->setExpanded(true);
    HostDirTree->setCurrentItem(node);
    HostDirTree->blockSignals(false);
    if (!Protocol)
        return;
    const QString path = address + QLatin1Char('\\') + name;
    QPointer<QTreeWidget> tree(HostDirTree);
    Protocol->CreateHostDir(path, [this, tree, address, path](bool ok) {
        if (!tree)
            return;
        QTreeWidgetItem *created = nullptr;
        for (QTreeWidgetItemIterator it(HostDirTree); *it && !created; ++it)
            if ((*it)->parent() && nodePath(*it) == path)
                created = *it;
        if (!created)
            return;
        if (ok) {
            CurrentHostPath = path;
            eAddress->setText(path);
            created->parent()->sortChildren(0, Qt::AscendingOrder);
            HostDirTree->setCurrentItem(created);
            UpdateFileView();
            BttnChangeFolderHostClick();
            return;
        }
        showMessage(mkInformation, QStringLiteral("Directory could not be created"));
        QTreeWidgetItem *parentNode = created->parent();
        HostDirTree->setCurrentItem(parentNode);
        delete created;
        CurrentHostPath = address;
        UpdateFileView();
    });
}

void TQVexplorerForm::BttnChangeFolderHostClick() {
    AddTrace(137);
    QTreeWidgetItem *node = HostDirTree->currentItem();
    // Folders only: not the root, not a drive.
    if (!node || !node->parent() || !node->parent()->parent())
        return;
    RenamingNode = node;
    RenameOldName = node->text(0);
    HostDirTree->editItem(node, 0);
}

void TQVexplorerForm::HostDirTreeEdited(QTreeWidgetItem *node) {
    if (node != RenamingNode)
        return;
    AddTrace(140);
    RenamingNode = nullptr;
    const QString newName = node->text(0).trimmed();
    const QString oldName = RenameOldName;
    auto setName = [this](QTreeWidgetItem *n, const QString &name) {
        HostDirTree->blockSignals(true);
        n->setText(0, name);
        HostDirTree->blockSignals(false);
    };
    auto restore = [node, oldName, setName] { setName(node, oldName); };
    if (newName == oldName) {
        restore();
        return;
    }
    QTreeWidgetItem *parent = node->parent();
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem *sibling = parent->child(i);
        if (sibling != node && sibling->text(0).compare(newName, Qt::CaseInsensitive) == 0) {
            restore();
            showMessage(mkInformation, QStringLiteral("Folder already exists"));
            return;
        }
    }
    if (newName.isEmpty() || !Protocol) {
        restore();
        return;
    }
    // The node shows the name that is sent, not what was typed around it.
    setName(node, newName);
    const QString parentPath = nodePath(parent) + QLatin1Char('\\');
    const QString oldPath = parentPath + oldName;
    const QString newPath = parentPath + newName;
    QPointer<QTreeWidget> tree(HostDirTree);
    Protocol->RenameDirectory(oldPath, newPath,
                              [this, tree, oldPath, newPath, oldName, newName, setName](bool ok) {
                                  if (!tree)
                                      return;
                                  // The folders may have been read again meanwhile, under either
                                  // name: the node is found by both and shows the name the folder
                                  // has now.
                                  for (QTreeWidgetItemIterator it(HostDirTree); *it; ++it) {
                                      if (!(*it)->parent())
                                          continue;
                                      const QString path = nodePath(*it);
                                      if (path.compare(newPath, Qt::CaseInsensitive) != 0 &&
                                          path.compare(oldPath, Qt::CaseInsensitive) != 0)
                                          continue;
                                      setName(*it, ok ? newName : oldName);
                                      DisplayPath(*it);
                                      return;
                                  }
                              });
}

// ---- Transfers -------------------------------------------------------------------------------

void TQVexplorerForm::copy(bool toHost, const QString &name, const QString &source,
                           const QString &target) {
    if (Protocol)
        Protocol->CopyFile({toHost, name, source, target});
}

void TQVexplorerForm::BttnCopyLocalClick() {
    AddTrace(145);
    const QModelIndex i = ShellList->currentIndex();
    if (!i.isValid()) {
        ShowFlashInfo(Msg("Selection error"), Msg("Source not selected"), 3);
        return;
    }
    if (CurrentHostPath.isEmpty() || eAddress->text().isEmpty()) {
        ShowFlashInfo(Msg("Selection error"), Msg("Destination folder selected"), 3);
        return;
    }
    copy(true, FileModel->fileName(i), LocalFolder, eAddress->text());
}

void TQVexplorerForm::BttnCopyHostClick() {
    AddTrace(139);
    QTreeWidgetItem *item = HostFileView->currentItem();
    if (!item || HostFilesFolder.isEmpty()) {
        ShowFlashInfo(Msg("Selection error"), Msg("Source not selected"), 3);
        return;
    }
    copy(false, item->text(0), HostFilesFolder, LocalFolder);
}

void TQVexplorerForm::dropLocalFile(const QString &name, const QString &remoteFolder) {
    StatusLabel->setText(StatusLabel->text() + Msg(" to remote: ") + remoteFolder);
    if (!name.isEmpty() && !remoteFolder.isEmpty())
        copy(true, name, LocalFolder, remoteFolder);
}

void TQVexplorerForm::dropRemoteFile(const QString &name, const QString &localFolder) {
    StatusLabel->setText(StatusLabel->text() + Msg(" to local: ") + localFolder);
    if (!name.isEmpty() && !localFolder.isEmpty() && !HostFilesFolder.isEmpty())
        copy(false, name, HostFilesFolder, localFolder);
}

void TQVexplorerForm::forgetDrag() {
    AddTrace(150);
    Dragging = false;
    if (CloseAccepted) {
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    CopyMarked = false;
    ShellList->viewport()->update();
    HostFileView->viewport()->update();
}

void TQVexplorerForm::askOverwrite(const QString &question) {
    PlaySystemSound(sndWarning);
    auto *ask = new TAskWarningForm(this);
    ask->setAttribute(Qt::WA_DeleteOnClose);
    ask->Prepare(question);
    QPointer<TQVexplorerProtocol> protocol(Protocol);
    connect(ask, &QDialog::finished, this, [ask, protocol] {
        if (protocol)
            protocol->AnswerOverwrite(ask->Answer());
    });
    ask->open();
}

void TQVexplorerForm::showMessage(int kind, const QString &text) {
    // Shown without waiting for it: nothing runs a second event loop inside this window.
    auto *box = new TQVMessageForm(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->Prepare(kind, text, MsgButton::OK);
    box->open();
}

QString TQVexplorerForm::fitPath(const QString &path, QLabel *label) const {
    const int room = MessagePanel->width() - label->x() - 5;
    if (label->fontMetrics().horizontalAdvance(path) <= room)
        return path;
    const QChar sep = path.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
    const qsizetype first = path.indexOf(sep);
    const qsizetype last = path.lastIndexOf(sep);
    if (first < 0 || first == last)
        return path;
    return path.left(first + 1) + QStringLiteral("...") + path.mid(last);
}

void TQVexplorerForm::TransferStarted(bool toHost, const QString &source, const QString &target) {
    FlyRight = toHost;
    LblMsgFrom->setText(toHost ? Msg("Transferring local file: ")
                               : Msg("Transferring remote file: "));
    LblMsgTo->setText((toHost ? Msg(" to remote: ") : Msg(" to local: ")).trimmed());
    LblMsgSourceFrom->setText(fitPath(source, LblMsgSourceFrom));
    LblMsgSourceTo->setText(fitPath(target, LblMsgSourceTo));
    LblMsgSourceFrom->setToolTip(source);
    LblMsgSourceTo->setToolTip(target);
    ImFlyFolder->setPixmap(TransferPictures::FlyingFolder(toHost));
    FlyStep = toHost ? 0 : 3;
    ImFlyFolder->move(kFlyLefts[FlyStep], kFlyTop);
    AddTrace(179);
    centerMessagePanel();
    MessagePanel->show();
    MessagePanel->raise();
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    BttnCancel->show();
    StatusLabel->clear();
    MsgPanelTimer.start();
}

void TQVexplorerForm::TransferEnded() {
    AddTrace(180);
    MsgPanelTimer.stop();
    MessagePanel->hide();
    ProgressBar1->hide();
    BttnCancel->hide();
    unsetCursor();
}

void TQVexplorerForm::MsgPanelTimerTimer() {
    FlyStep = FlyRight ? (FlyStep + 1) % 4 : (FlyStep + 3) % 4;
    ImFlyFolder->move(kFlyLefts[FlyStep], kFlyTop);
}

void TQVexplorerForm::centerMessagePanel() {
    MessagePanel->move((width() - MessagePanel->width()) / 2,
                       (height() - MessagePanel->height()) / 2);
}

void TQVexplorerForm::BttnCancelClick() {
    AddTrace(177);
    if (Protocol)
        Protocol->CancelTransfer();
}
