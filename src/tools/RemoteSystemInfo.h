#pragma once
#include "tools/HostInfoReport.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class GatewaySession;

// Remote system information without its window: the host's report ("PcFo", refreshed with
// "PcUp"), the category shown, the table of that category, the service and process actions
// with their answers ("SvcS", "StPr"), and the state of the window's buttons and progress text.
// The window draws what this object holds and forwards the operator's clicks.
class RemoteSystemInfo : public QObject {
    Q_OBJECT
public:
    explicit RemoteSystemInfo(GatewaySession *session, QObject *parent = nullptr);

    struct Hooks {
        std::function<bool()> fullControl;
    };
    Hooks &hooks() { return H; }

    HostInfoModel *model() { return &Model; }
    const QStringList &report() const { return Report; }

    // "Get info client PC".
    void BttnOsHostInfoClick();
    // A report arrived (list kinds 4 and 5).
    void OsHostInfoDone(const QStringList &lines, bool full);

    // The window's life: it is shown when the first full report arrives and hidden by "Close";
    // the host's answers count only while it shows.
    bool isVisible() const { return Visible; }
    void closeWindow();

    void selectCategory(int category);
    int category() const { return Category; }
    // -1: no row selected.
    void selectRow(int row);
    int selectedRow() const { return Model.rowOfKey(SelectedKey); }
    void sortByColumn(int column);

    void BttnRefreshClick();
    void BttnStartServiceClick();
    void BttnStopServiceClick();
    void BttnTerminateClick();

    // What the window shows besides the table.
    QString progressText() const { return Progress; }
    bool refreshVisible() const { return RefreshVisible; }
    bool panelVisible() const { return PanelVisible; }
    bool startVisible() const { return StartVisible; }
    bool startEnabled() const { return StartEnabled; }
    bool stopVisible() const { return StopVisible; }
    bool stopEnabled() const { return StopEnabled; }
    bool terminateVisible() const { return TerminateVisible; }
    bool waiting() const { return Waiting; }
    bool cursorTimerActive() const { return CursorTimer.isActive(); }

signals:
    void showRequested();      // show the window (or bring it to the front)
    void closeRequested();     // hide it
    void stateChanged();       // buttons, progress text
    void rowSelected(int row); // select and scroll into view
    void waitCursor(bool on);

private:
    void drawCategory();
    void updatePanel();
    void SetStartStopButtons();
    void askService(const QString &name, char start);
    void serviceAnswer(const QByteArray &state);
    void processAnswer(const QByteArray &result);
    void refresh(bool click);
    void StartCursorTimer(int ms);
    void setWait(bool on);
    void setProgress(const QString &text);
    void restoreSelection();
    bool fullControl() const { return H.fullControl ? H.fullControl() : true; }

    GatewaySession *Session;
    Hooks H;
    HostInfoModel Model;
    QStringList Report;
    int Category = -1;
    QString SelectedKey; // the row the operator selected, by name
    QString ServiceKey;  // the service of the last answer, by name
    // The services started or stopped whose answers are awaited, in the order asked (the host
    // answers in that order; its answer does not name the service).
    QStringList ServicesAsked;
    QString Progress;
    bool Visible = false;
    bool Waiting = false;
    bool RefreshVisible = false;
    bool PanelVisible = false;
    bool StartVisible = false, StartEnabled = false;
    bool StopVisible = false, StopEnabled = false;
    bool TerminateVisible = false;
    QTimer CursorTimer;
};
