#pragma once
#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;
class RemoteSystemInfo;

// The "REMOTE SYSTEM INFORMATION" window: the 17 categories on the left, the table of the
// chosen one on the right with the columns the report defines, "Refresh" for the categories
// that change while the computer runs, and the panel that starts and stops services and ends
// processes. Borderless, resizable from its edges, dragged by its surface.
class TInfoHostForm : public QWidget {
    Q_OBJECT
public:
    explicit TInfoHostForm(RemoteSystemInfo *info, QWidget *parent = nullptr);

    QTreeWidget *tree() const { return TreeView; }
    QTableView *table() const { return ListView; }
    QTreeWidgetItem *categoryItem(int category) const;
    QPushButton *refreshButton() const { return BttnRefresh; }
    QPushButton *startButton() const { return BttnStartService; }
    QPushButton *stopButton() const { return BttnStopService; }
    QPushButton *terminateButton() const { return BttnTerminate; }
    QWidget *servicePanel() const { return ServicePanel; }
    QLabel *progressLabel() const { return InfoLabel; }

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void FormShow();
    void ApplyTexts();
    void LayoutControls();
    void UpdateState();
    void ApplyColumnWidths();
    void SelectRow(int row);
    Qt::Edges edgesAt(QPoint p) const;

    RemoteSystemInfo *Info;
    QLabel *LblHeadCategory, *LblHeadDetails, *InfoLabel;
    QTreeWidget *TreeView;
    QTableView *ListView;
    QWidget *ServicePanel;
    QPushButton *BttnStartService, *BttnStopService, *BttnTerminate, *BttnRefresh, *BttnClose;
    QList<QTreeWidgetItem *> Items; // by category
    bool Selecting = false;         // a selection made here, not by the operator
};
