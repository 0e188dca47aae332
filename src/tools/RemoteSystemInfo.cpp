#include "tools/RemoteSystemInfo.h"

#include "common/AdminVars.h"
#include "common/Cp1252.h"
#include "common/TraceRing.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"

using namespace HostInfoReport;

namespace {
constexpr int kRefreshWaitMs = 10000;
constexpr int kActionWaitMs = 30000;
// Service answers awaited at once; more means the host answers none.
constexpr qsizetype kMaxServicesAsked = 16;
} // namespace

RemoteSystemInfo::RemoteSystemInfo(GatewaySession *session, QObject *parent)
    : QObject(parent), Session(session) {
    H.fullControl = [] { return true; };
    CursorTimer.setSingleShot(true);
    connect(&CursorTimer, &QTimer::timeout, this, [this] {
        // The answers awaited are lost: a late one must not be taken for another service's.
        ServicesAsked.clear();
        setWait(false);
        setProgress(QString());
    });
    connect(session, &GatewaySession::stringListReceived, this,
            [this](int kind, const QList<QByteArray> &lines) {
                if (kind == 4 || kind == 5)
                    OsHostInfoDone(linesOf(lines), kind == 4);
            });
    session->claimHostMessage("SvcS", this, [this](const QByteArray &p) { serviceAnswer(p); });
    session->claimHostMessage("StPr", this, [this](const QByteArray &p) { processAnswer(p); });
    // The window closes with the session; the report stays until the next full one.
    connect(session, &GatewaySession::sessionReset, this, [this] {
        if (Visible)
            closeWindow();
        ServicesAsked.clear();
        CursorTimer.stop();
        setWait(false);
        setProgress(QString());
    });
    // A host that logs on (again) has other processes and services: nothing of the report
    // before may be shown or acted on.
    connect(session, &GatewaySession::hostJoined, this, [this] {
        if (Visible)
            closeWindow();
        Report.clear();
        SelectedKey.clear();
        ServiceKey.clear();
        StartEnabled = StopEnabled = false;
        if (Category >= 0)
            drawCategory();
        setProgress(QString());
        emit stateChanged();
    });
}

void RemoteSystemInfo::BttnOsHostInfoClick() {
    if (!adminVars().HostLoggedOn || !fullControl())
        return;
    Session->ui().playSound(0);
    if (Visible) {
        emit showRequested();
        return;
    }
    AddTrace(27);
    Session->SendCmd("PcFo");
    setWait(true);
    // A host that never answers must not leave the wait cursor for good.
    StartCursorTimer(kActionWaitMs);
}

void RemoteSystemInfo::OsHostInfoDone(const QStringList &lines, bool full) {
    AddTrace(28);
    // A refresh belongs to the window that asked for it; only a full report opens it.
    if (!full && !Visible)
        return;
    CursorTimer.stop();
    setWait(false);
    if (full)
        Report = lines;
    else
        Report = mergeRefresh(Report, lines);
    if (!full)
        setProgress(QString());
    if (Category >= 0)
        drawCategory();
    if (!Visible) {
        Visible = true;
        setProgress(QString());
        emit showRequested();
    }
    emit stateChanged();
}

void RemoteSystemInfo::closeWindow() {
    Visible = false;
    CursorTimer.stop();
    setWait(false);
    emit closeRequested();
}

void RemoteSystemInfo::selectCategory(int category) {
    Category = std::clamp(category, 0, CategoryCount - 1);
    SelectedKey.clear();
    drawCategory();
    updatePanel();
    emit stateChanged();
}

void RemoteSystemInfo::drawCategory() {
    Model.setTable(tableFor(Report, Category), Category);
    RefreshVisible = !isHead(Category) && node(Category).refreshed;
    restoreSelection();
}

void RemoteSystemInfo::restoreSelection() {
    const int row = Model.rowOfKey(SelectedKey);
    if (row < 0) {
        SelectedKey.clear();
        emit rowSelected(-1);
        return;
    }
    selectRow(row);
    emit rowSelected(row);
}

void RemoteSystemInfo::updatePanel() {
    if (Category != Services && Category != RunningProcesses) {
        PanelVisible = false;
        StartEnabled = StopEnabled = false;
        return;
    }
    // With no rows the panel keeps whatever visibility it had.
    if (fullControl() && Model.rowCount() > 0)
        PanelVisible = true;
    StartVisible = StopVisible = Category == Services;
    TerminateVisible = Category == RunningProcesses;
}

void RemoteSystemInfo::selectRow(int row) {
    SelectedKey = Model.keyOf(row);
    if (Category == Services) {
        TerminateVisible = false;
        StartVisible = StopVisible = true;
        if (Model.hasColumn(row, 2)) {
            const bool running = Model.cell(row, 2) == QLatin1String("Running");
            StartEnabled = !running;
            StopEnabled = running;
        }
    } else if (Category == RunningProcesses) {
        TerminateVisible = true;
        StartVisible = StopVisible = false;
    }
    emit stateChanged();
}

void RemoteSystemInfo::sortByColumn(int column) {
    Model.sortByColumn(column);
    restoreSelection();
}

void RemoteSystemInfo::BttnRefreshClick() {
    if (!fullControl())
        return;
    refresh(true);
}

void RemoteSystemInfo::refresh(bool click) {
    if (click)
        Session->ui().playSound(0);
    setWait(true);
    StartCursorTimer(kRefreshWaitMs);
    Session->SendCmd("PcUp");
}

void RemoteSystemInfo::BttnStartServiceClick() {
    const int row = selectedRow();
    if (!fullControl() || row < 0 || Category != Services)
        return;
    Session->ui().playSound(0);
    askService(Model.keyOf(row), '1');
}

void RemoteSystemInfo::BttnStopServiceClick() {
    const int row = selectedRow();
    if (!fullControl() || row < 0 || Category != Services)
        return;
    Session->ui().playSound(0);
    const QString name = Model.keyOf(row);
    if (isProtectedService(name)) {
        // Refused before anything waits for an answer that will not come.
        Session->ui().flash(QString(), Msg("Can't be deleted"), 3);
        return;
    }
    askService(name, '0');
}

// The service is remembered when its command goes: the operator may select another row
// before the answer comes.
void RemoteSystemInfo::askService(const QString &name, char start) {
    setProgress(Msg("Querying service status ..."));
    setWait(true);
    StartCursorTimer(kActionWaitMs);
    if (ServicesAsked.size() >= kMaxServicesAsked)
        ServicesAsked.removeFirst();
    ServicesAsked.append(name);
    Session->SendCmd("SvcS?" + toCp1252(name) + "&" + start);
}

void RemoteSystemInfo::serviceAnswer(const QByteArray &state) {
    if (ServicesAsked.isEmpty()) {
        AddTrace(89, QStringLiteral("SvcS without a service asked"));
        return;
    }
    ServiceKey = ServicesAsked.takeFirst();
    if (!Visible)
        return;
    // The timer still guards the answers awaited after this one.
    if (ServicesAsked.isEmpty())
        CursorTimer.stop();
    const QString text =
        QString::fromLatin1(state).compare(QLatin1String("Running"), Qt::CaseInsensitive) == 0
            ? QStringLiteral("Running")
            : QStringLiteral("Stopped");
    // The report keeps the new state too, so drawing the category again shows it.
    setServiceState(Report, ServiceKey, text);
    if (Category == Services) {
        const int row = Model.rowOfKey(ServiceKey);
        if (row >= 0) {
            Model.setCell(row, 2, text);
            SelectedKey = ServiceKey;
            emit rowSelected(row);
        }
    }
    SetStartStopButtons();
    setWait(false);
    setProgress(QString());
    emit stateChanged();
}

void RemoteSystemInfo::SetStartStopButtons() {
    const int row = selectedRow();
    if (row < 0 || Model.keyOf(row) != ServiceKey)
        return;
    const bool running = Model.cell(row, 2) == QLatin1String("Running");
    StartEnabled = !running;
    StopEnabled = running;
}

void RemoteSystemInfo::BttnTerminateClick() {
    const int row = selectedRow();
    if (!fullControl() || row < 0 || Category != RunningProcesses)
        return;
    Session->ui().playSound(0);
    const QString program = Model.cell(row, 0);
    const QString pid = Model.cell(row, 2);
    const QString file = programFileName(program);
    // On a Windows host only programs end in ".exe"; the rest of the list (System, Idle) is the
    // system's own. Other hosts name their processes without it and refuse what the user may
    // not end themselves.
    const bool windowsHost =
        Session->HostOS == QLatin1String("W32") || Session->HostOS == QLatin1String("WNT");
    if (windowsHost && !file.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        return;
    if (isProtectedProgram(file)) {
        Session->ui().flash(QString(), Msg("Can't be deleted"), 3);
        return;
    }
    // Only "Yes" proceeds: a question closed any other way answers no.
    if (!Session->ui().ask(Msg("Terminating a process can have unpredictable results\rand may "
                               "leave the computer in an unknown state.\rProceed ?")))
        return;
    // The question is modal and the session ran on: the host may have taken control away since.
    if (!fullControl())
        return;
    setProgress(Msg("Stopping process") + QStringLiteral(" <") + program +
                QStringLiteral("> - PID: ") + pid + QStringLiteral(" ..."));
    setWait(true);
    StartCursorTimer(kActionWaitMs);
    Session->SendCmd("StPr?" + toCp1252(program) + "&" + toCp1252(pid));
}

void RemoteSystemInfo::processAnswer(const QByteArray &result) {
    if (!Visible)
        return;
    CursorTimer.stop();
    if (result == "OK")
        refresh(false);
    else
        Session->ui().flash(Msg("Error"), Msg("Unable to stop process"), 3);
    setWait(false);
    setProgress(QString());
    emit stateChanged();
}

void RemoteSystemInfo::StartCursorTimer(int ms) {
    CursorTimer.start(ms);
}

void RemoteSystemInfo::setWait(bool on) {
    if (Waiting == on)
        return;
    Waiting = on;
    emit waitCursor(on);
}

void RemoteSystemInfo::setProgress(const QString &text) {
    if (Progress == text)
        return;
    Progress = text;
    emit stateChanged();
}
