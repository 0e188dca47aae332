#include "tools/uShowInfoHost.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "tools/RemoteSystemInfo.h"
#include "ui/BorderlessWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTreeWidget>
#include <QWindow>

using namespace HostInfoReport;

namespace {
constexpr int TitleHeight = 28;
constexpr int Margin = 8;
constexpr int TreeWidth = 210;
constexpr int HeadTop = 34;
constexpr int ViewTop = 56;
constexpr int BottomRow = 40;
constexpr int PanelHeight = 36;
constexpr int EdgeGrip = 6;

QPen pen(const QColor &c, qreal w = 1.0) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The tree's own small pictures, one per node.
QIcon categoryIcon(int category) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    const QColor ink(50, 60, 80);
    p.setPen(pen(ink));
    switch (category) {
    case Hardware:
        p.setBrush(QColor(170, 180, 195));
        p.drawRoundedRect(QRectF(4, 1.5, 8, 13), 1, 1);
        p.drawLine(QPointF(6, 4.5), QPointF(10, 4.5));
        p.setBrush(QColor(80, 200, 90));
        p.drawEllipse(QPointF(8, 11.5), 1, 1);
        break;
    case Processor:
        p.setBrush(QColor(90, 100, 120));
        p.drawRect(QRectF(4, 4, 8, 8));
        for (qreal i : {5.5, 8.0, 10.5}) {
            p.drawLine(QPointF(i, 1.5), QPointF(i, 4));
            p.drawLine(QPointF(i, 12), QPointF(i, 14.5));
            p.drawLine(QPointF(1.5, i), QPointF(4, i));
            p.drawLine(QPointF(12, i), QPointF(14.5, i));
        }
        break;
    case Memory:
        p.setBrush(QColor(60, 150, 80));
        p.drawRect(QRectF(1.5, 5, 13, 6));
        p.setBrush(QColor(30, 40, 40));
        for (qreal x : {3.0, 6.5, 10.0})
            p.drawRect(QRectF(x, 6.5, 2.5, 3));
        break;
    case Nics:
        p.setBrush(QColor(120, 170, 230));
        p.drawRect(QRectF(1.5, 2, 5, 4));
        p.drawRect(QRectF(9.5, 10, 5, 4));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(4, 6), QPointF(4, 8), QPointF(12, 8), QPointF(12, 10)}));
        break;
    case Storage:
        p.setBrush(QColor(150, 160, 175));
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 1.5, 1.5);
        p.setBrush(QColor(80, 200, 90));
        p.drawEllipse(QPointF(12, 8), 1, 1);
        break;
    case Keyboard:
        p.setBrush(QColor(235, 238, 242));
        p.drawRoundedRect(QRectF(1, 4.5, 14, 8), 1, 1);
        for (qreal x = 3; x < 13; x += 2.5)
            p.drawPoint(QPointF(x, 7));
        p.drawLine(QPointF(5, 10), QPointF(11, 10));
        break;
    case System: {
        p.setBrush(QColor(160, 170, 185));
        QPainterPath gear;
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(45 * i);
            p.drawRect(QRectF(-1.2, -7, 2.4, 3));
            p.restore();
        }
        p.drawEllipse(QPointF(8, 8), 4.5, 4.5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 8), 1.6, 1.6);
        break;
    }
    case OperatingSystem:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 80, 50));
        p.drawRect(QRectF(2, 2, 5.5, 5.5));
        p.setBrush(QColor(110, 190, 60));
        p.drawRect(QRectF(8.5, 2, 5.5, 5.5));
        p.setBrush(QColor(40, 150, 230));
        p.drawRect(QRectF(2, 8.5, 5.5, 5.5));
        p.setBrush(QColor(250, 190, 30));
        p.drawRect(QRectF(8.5, 8.5, 5.5, 5.5));
        break;
    case General:
        p.setBrush(QColor(40, 110, 200));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setPen(pen(Qt::white, 1.8));
        p.drawLine(QPointF(8, 7), QPointF(8, 11.5));
        p.drawPoint(QPointF(8, 4.5));
        break;
    case Folders:
        p.setBrush(QColor(245, 200, 80));
        p.drawPolygon(QPolygonF({QPointF(1.5, 4), QPointF(6, 4), QPointF(7.5, 5.5),
                                 QPointF(14.5, 5.5), QPointF(14.5, 13), QPointF(1.5, 13)}));
        break;
    case Software:
        p.setBrush(QColor(200, 210, 225));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 8), 1.8, 1.8);
        break;
    case InstalledSoftware:
        p.setBrush(QColor(205, 160, 100));
        p.drawRect(QRectF(2.5, 5, 11, 9));
        p.drawLine(QPointF(8, 5), QPointF(8, 14));
        p.drawPolygon(
            QPolygonF({QPointF(2.5, 5), QPointF(5, 2), QPointF(11, 2), QPointF(13.5, 5)}));
        break;
    case RunningTasks:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(40, 110, 200));
        p.drawRect(QRectF(1.5, 2.5, 13, 3));
        break;
    case RunningProcesses:
        p.setBrush(QColor(235, 245, 235));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setPen(pen(QColor(30, 150, 60), 1.4));
        p.drawPolyline(QPolygonF({QPointF(2.5, 9), QPointF(5, 9), QPointF(6.5, 5), QPointF(8.5, 12),
                                  QPointF(10, 8), QPointF(13.5, 8)}));
        break;
    case Services:
        p.setPen(pen(QColor(90, 100, 120), 2.4));
        p.drawLine(QPointF(4, 12), QPointF(10, 6));
        p.setPen(pen(ink));
        p.setBrush(QColor(150, 160, 175));
        p.drawEllipse(QPointF(11, 5), 3.2, 3.2);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(12, 4), 1.2, 1.2);
        break;
    case InstalledScripts:
        p.setBrush(QColor(250, 245, 225));
        p.drawRect(QRectF(3, 1.5, 10, 13));
        p.drawLine(QPointF(5, 5), QPointF(11, 5));
        p.drawLine(QPointF(5, 8), QPointF(11, 8));
        p.drawLine(QPointF(5, 11), QPointF(9, 11));
        break;
    case Browser:
    default:
        p.setBrush(QColor(120, 180, 240));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 3, 6.5);
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
    }
    p.end();
    pm.setDevicePixelRatio(2);
    return QIcon(pm);
}
} // namespace

TInfoHostForm::TInfoHostForm(RemoteSystemInfo *info, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), Info(info) {
    setObjectName(QStringLiteral("InfoHostForm"));
    setMinimumSize(500, 250);
    resize(780, 500);
    setMouseTracking(true);
    setStyleSheet(NoticeControlsStyle() +
                  QStringLiteral("QLabel#LblHeadCategory, QLabel#LblHeadDetails { color: #163f70; "
                                 "font-weight: bold; }"
                                 "QPushButton:disabled { color: #9aa8b8; background: #eef2f6; "
                                 "border-color: #c5d0dc; }"));

    LblHeadCategory = new QLabel(this);
    LblHeadCategory->setObjectName(QStringLiteral("LblHeadCategory"));
    LblHeadDetails = new QLabel(this);
    LblHeadDetails->setObjectName(QStringLiteral("LblHeadDetails"));
    InfoLabel = new QLabel(this);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    InfoLabel->setTextFormat(Qt::PlainText);

    TreeView = new QTreeWidget(this);
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->setHeaderHidden(true);
    TreeView->setRootIsDecorated(true);
    QTreeWidgetItem *head = nullptr;
    for (int c = 0; c < CategoryCount; ++c) {
        auto *item =
            node(c).item && head ? new QTreeWidgetItem(head) : new QTreeWidgetItem(TreeView);
        if (isHead(c))
            head = item;
        item->setIcon(0, categoryIcon(c));
        item->setData(0, Qt::UserRole, c);
        Items.append(item);
    }
    connect(TreeView, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item && !Selecting)
            Info->selectCategory(item->data(0, Qt::UserRole).toInt());
    });

    ListView = new QTableView(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setModel(Info->model());
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->verticalHeader()->hide();
    ListView->verticalHeader()->setDefaultSectionSize(20);
    ListView->setShowGrid(false);
    ListView->setWordWrap(false);
    ListView->horizontalHeader()->setSectionsClickable(true);
    ListView->horizontalHeader()->setHighlightSections(false);
    // The last column takes the room that is left (translated states are longer).
    ListView->horizontalHeader()->setStretchLastSection(true);
    connect(ListView->horizontalHeader(), &QHeaderView::sectionClicked, Info,
            &RemoteSystemInfo::sortByColumn);
    connect(Info->model(), &QAbstractItemModel::modelReset, this,
            &TInfoHostForm::ApplyColumnWidths);
    connect(ListView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!Selecting && current.isValid())
                    Info->selectRow(current.row());
            });

    ServicePanel = new QWidget(this);
    ServicePanel->setObjectName(QStringLiteral("ServicePanel"));
    BttnStartService = new QPushButton(ServicePanel);
    BttnStartService->setObjectName(QStringLiteral("BttnStartService"));
    BttnStopService = new QPushButton(ServicePanel);
    BttnStopService->setObjectName(QStringLiteral("BttnStopService"));
    BttnTerminate = new QPushButton(ServicePanel);
    BttnTerminate->setObjectName(QStringLiteral("BttnTerminate"));
    connect(BttnStartService, &QPushButton::clicked, Info,
            &RemoteSystemInfo::BttnStartServiceClick);
    connect(BttnStopService, &QPushButton::clicked, Info, &RemoteSystemInfo::BttnStopServiceClick);
    connect(BttnTerminate, &QPushButton::clicked, Info, &RemoteSystemInfo::BttnTerminateClick);

    BttnRefresh = new QPushButton(this);
    BttnRefresh->setObjectName(QStringLiteral("BttnRefresh"));
    connect(BttnRefresh, &QPushButton::clicked, Info, &RemoteSystemInfo::BttnRefreshClick);
    BttnClose = new QPushButton(this);
    BttnClose->setObjectName(QStringLiteral("BttnClose"));
    PlayClickOnClick(BttnClose);
    connect(BttnClose, &QPushButton::clicked, Info, &RemoteSystemInfo::closeWindow);

    connect(Info, &RemoteSystemInfo::showRequested, this, [this] {
        if (isHidden())
            FormShow();
        raise();
        activateWindow();
    });
    connect(Info, &RemoteSystemInfo::closeRequested, this, &QWidget::hide);
    connect(Info, &RemoteSystemInfo::stateChanged, this, &TInfoHostForm::UpdateState);
    connect(Info, &RemoteSystemInfo::rowSelected, this, &TInfoHostForm::SelectRow);

    registerLanguageListener(this);
    ApplyTexts();
    UpdateState();
}

QTreeWidgetItem *TInfoHostForm::categoryItem(int category) const {
    return Items.value(category);
}

void TInfoHostForm::ApplyTexts() {
    setWindowTitle(Msg("REMOTE SYSTEM INFORMATION"));
    LblHeadCategory->setText(Msg("Info category"));
    LblHeadDetails->setText(Msg("Detailed information"));
    for (int c = 0; c < Items.size(); ++c)
        Items[c]->setText(0, Msg(node(c).text));
    BttnStartService->setText(Msg("Start service"));
    BttnStopService->setText(Msg("Stop service"));
    BttnTerminate->setText(Msg("Terminate"));
    BttnRefresh->setText(Msg("Refresh"));
    BttnClose->setText(Msg("Close"));
    // The service states in the table follow the language too.
    if (Info->model()->rowCount() > 0)
        emit Info->model()->dataChanged(
            Info->model()->index(0, 0),
            Info->model()->index(Info->model()->rowCount() - 1,
                                 std::max(0, Info->model()->columnCount() - 1)));
    LayoutControls();
    update();
}

void TInfoHostForm::FormShow() {
    InfoLabel->clear();
    BttnRefresh->hide();
    ApplyTexts();
    TreeView->expandAll();
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    show();
    UpdateState();
}

void TInfoHostForm::LayoutControls() {
    const int w = width();
    const int h = height();
    const int viewHeight = h - ViewTop - BottomRow;
    LblHeadCategory->setGeometry(Margin + 2, HeadTop, TreeWidth, 20);
    const int tableLeft = Margin + TreeWidth + Margin;
    const int tableWidth = w - tableLeft - Margin;
    LblHeadDetails->setGeometry(tableLeft + 2, HeadTop, tableWidth, 20);
    TreeView->setGeometry(Margin, ViewTop, TreeWidth, viewHeight);
    const bool panel = ServicePanel->isVisibleTo(this);
    ListView->setGeometry(tableLeft, ViewTop, tableWidth, viewHeight - (panel ? PanelHeight : 0));
    ServicePanel->setGeometry(tableLeft, ViewTop + viewHeight - PanelHeight, tableWidth,
                              PanelHeight);
    // Buttons from the panel's right edge: "Stop service" 10 pixels from it, "Start service"
    // 20 pixels left of that; "Terminate" 10 pixels from it.
    const auto widthOf = [](QPushButton *b) { return std::max(100, b->sizeHint().width()); };
    const int pw = ServicePanel->width();
    const int stopW = widthOf(BttnStopService);
    BttnStopService->setGeometry(pw - 10 - stopW, 5, stopW, 26);
    const int startW = widthOf(BttnStartService);
    BttnStartService->setGeometry(BttnStopService->x() - 20 - startW, 5, startW, 26);
    const int termW = widthOf(BttnTerminate);
    BttnTerminate->setGeometry(pw - 10 - termW, 5, termW, 26);
    const int closeW = widthOf(BttnClose);
    BttnClose->setGeometry(w - Margin - closeW, h - BottomRow + 7, closeW, 26);
    const int refreshW = widthOf(BttnRefresh);
    BttnRefresh->setGeometry(BttnClose->x() - 10 - refreshW, h - BottomRow + 7, refreshW, 26);
    InfoLabel->setGeometry(Margin + 2, h - BottomRow + 7, BttnRefresh->x() - 2 * Margin, 26);
}

void TInfoHostForm::UpdateState() {
    // The tree shows the category the table holds, however it was chosen.
    const int category = Info->category();
    if (category >= 0 && TreeView->currentItem() != Items.value(category)) {
        Selecting = true;
        TreeView->setCurrentItem(Items.value(category));
        Selecting = false;
    }
    InfoLabel->setText(Info->progressText());
    BttnRefresh->setVisible(Info->refreshVisible());
    ServicePanel->setVisible(Info->panelVisible());
    BttnStartService->setVisible(Info->startVisible());
    BttnStopService->setVisible(Info->stopVisible());
    BttnTerminate->setVisible(Info->terminateVisible());
    BttnStartService->setEnabled(Info->startEnabled());
    BttnStopService->setEnabled(Info->stopEnabled());
    LayoutControls();
}

void TInfoHostForm::ApplyColumnWidths() {
    const QAbstractItemModel *m = Info->model();
    for (int c = 0; c < m->columnCount(); ++c)
        ListView->horizontalHeader()->resizeSection(
            c, m->headerData(c, Qt::Horizontal, Qt::SizeHintRole).toSize().width());
}

void TInfoHostForm::SelectRow(int row) {
    Selecting = true;
    if (row < 0) {
        ListView->clearSelection();
    } else {
        ListView->selectRow(row);
        ListView->scrollTo(Info->model()->index(row, 0));
    }
    Selecting = false;
}

Qt::Edges TInfoHostForm::edgesAt(QPoint p) const {
    Qt::Edges e;
    if (p.x() < EdgeGrip)
        e |= Qt::LeftEdge;
    if (p.x() >= width() - EdgeGrip)
        e |= Qt::RightEdge;
    if (p.y() < EdgeGrip)
        e |= Qt::TopEdge;
    if (p.y() >= height() - EdgeGrip)
        e |= Qt::BottomEdge;
    return e;
}

void TInfoHostForm::mousePressEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton || !windowHandle())
        return QWidget::mousePressEvent(e);
    // The sizing frame at the edges, the surface anywhere else moves the window.
    const Qt::Edges edges = edgesAt(e->position().toPoint());
    if (edges)
        windowHandle()->startSystemResize(edges);
    else
        windowHandle()->startSystemMove();
}

void TInfoHostForm::mouseMoveEvent(QMouseEvent *e) {
    const Qt::Edges edges = edgesAt(e->position().toPoint());
    if ((edges & Qt::LeftEdge && edges & Qt::TopEdge) ||
        (edges & Qt::RightEdge && edges & Qt::BottomEdge))
        setCursor(Qt::SizeFDiagCursor);
    else if ((edges & Qt::RightEdge && edges & Qt::TopEdge) ||
             (edges & Qt::LeftEdge && edges & Qt::BottomEdge))
        setCursor(Qt::SizeBDiagCursor);
    else if (edges & (Qt::LeftEdge | Qt::RightEdge))
        setCursor(Qt::SizeHorCursor);
    else if (edges & (Qt::TopEdge | Qt::BottomEdge))
        setCursor(Qt::SizeVerCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(e);
}

void TInfoHostForm::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    LayoutControls();
}

void TInfoHostForm::closeEvent(QCloseEvent *e) {
    if (Info->isVisible())
        Info->closeWindow();
    e->accept();
}

bool TInfoHostForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        ApplyTexts();
        return true;
    }
    return QWidget::event(e);
}

void TInfoHostForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf4, 0xf7, 0xfb));
    QLinearGradient band(0, 0, 0, TitleHeight);
    band.setColorAt(0, QColor(0x5b, 0x95, 0xd3));
    band.setColorAt(1, QColor(0x2c, 0x6b, 0xb0));
    p.fillRect(QRect(0, 0, width(), TitleHeight), band);
    p.setPen(QColor(0x6f, 0x8f, 0xb3));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(Margin + 4, 0, width() - 2 * Margin, TitleHeight), Qt::AlignVCenter,
               windowTitle());
}
