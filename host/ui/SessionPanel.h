#pragma once
#include <QMap>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace qhost {

// The small panel that stays on top while a session runs: with whom the screen is shared,
// view only or full control (the user switches), the transfers in progress, and Stop.
class SessionPanel : public QWidget {
    Q_OBJECT
public:
    explicit SessionPanel(const QString &operatorName, QWidget *parent = nullptr);

    void setViewOnly(bool viewOnly);
    // A feature's activity: `percent` 0..100 while it lasts, -1 when it is over.
    void setActivity(const QString &what, int percent);
    int activityCount() const { return int(m_activities.size()); }

signals:
    void viewOnlyChosen(bool viewOnly);
    void stopClicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *LblShared;
    QRadioButton *RadioFull, *RadioView;
    QListWidget *ListTransfers;
    QPushButton *BttnStop;
    QMap<QString, int> m_activities;
};

} // namespace qhost
