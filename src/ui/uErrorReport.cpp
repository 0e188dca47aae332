#include "ui/uErrorReport.h"

#include "common/AdminVars.h"
#include "common/TraceRing.h"
#include "common/uLanguageMsg.h"
#include "gateway/UrlsAdmin.h"
#include "ui/BorderlessWindow.h"
#include "ui/ErrorReportSend.h"
#include "ui/QVMessage.h"
#include "ui/uSounds.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
ErrorReportHook &hook() {
    static ErrorReportHook h;
    return h;
}
bool reportOpen = false;

constexpr int Margin = 14;
constexpr int MinWidth = 470;
constexpr int ButtonHeight = 26;
} // namespace

void SetErrorReportHook(ErrorReportHook h) {
    hook() = std::move(h);
}

TErrorReportForm::TErrorReportForm(const EffectiveProxyState &proxy, const QString &sessionKey,
                                   QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), Proxy(proxy), SessionKey(sessionKey),
      LblInfo(new QLabel(this)), ChkContact(new QCheckBox(this)), LblComment(new QLabel(this)),
      MemoComment(new QPlainTextEdit(this)), BttnSend(new QPushButton(this)),
      BttnCancel(new QPushButton(this)), Sender(new ErrorReportSender(this)) {
    setObjectName(QStringLiteral("ErrorReportForm"));
    setModal(true);
    setStyleSheet(NoticeControlsStyle() + QStringLiteral("QLabel { color: rgb(16,67,134); }"));
    LblInfo->setObjectName(QStringLiteral("LblInfo"));
    LblInfo->setTextFormat(Qt::PlainText);
    ChkContact->setObjectName(QStringLiteral("ChkContact"));
    LblComment->setObjectName(QStringLiteral("LblComment"));
    MemoComment->setObjectName(QStringLiteral("MemoComment"));
    BttnSend->setObjectName(QStringLiteral("BttnSend"));
    BttnCancel->setObjectName(QStringLiteral("BttnCancel"));
    PlayClickOnClick(ChkContact);
    PlayClickOnClick(BttnCancel);
    // The send plays its own click first, as the handler does.
    connect(BttnSend, &QPushButton::clicked, this, &TErrorReportForm::SendErrorReport);
    connect(BttnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Sender, &ErrorReportSender::done, this, &TErrorReportForm::Sent);
}

TErrorReportForm::~TErrorReportForm() {
    TraceSuspended = false;
}

void TErrorReportForm::showEvent(QShowEvent *e) {
    TraceSuspended = true;
    setWindowTitle(QStringLiteral("  ") + Msg("Send error report"));
    MemoComment->clear();
    LblInfo->setText(ToDisplayLines(Msg("An unexpected error occurred.\rWe are sorry for this "
                                        "inconvenience.\rAn error log has been created which may "
                                        "help us to trace the origin of the error.")));
    ChkContact->setText(Msg("Allow Quorvia Support to contact me by e-mail"));
    ChkContact->setChecked(true);
    LblComment->setText(Msg("You can add additional comments of the situation prior to the error"));
    BttnSend->setText(Msg("Send error report"));
    BttnCancel->setText(Msg("Cancel"));
    LayOut();
    QDialog::showEvent(e);
    MemoComment->setFocus();
}

void TErrorReportForm::LayOut() {
    int widest = 0;
    for (QWidget *w : std::initializer_list<QWidget *>{LblInfo, ChkContact, LblComment})
        widest = qMax(widest, w->sizeHint().width());
    const int width = qMax(MinWidth, widest + 2 * Margin + 10);
    int y = Margin;
    LblInfo->setGeometry(Margin, y, width - 2 * Margin, LblInfo->sizeHint().height());
    y += LblInfo->height() + 12;
    ChkContact->setGeometry(Margin, y, width - 2 * Margin, ChkContact->sizeHint().height());
    y += ChkContact->height() + 12;
    LblComment->setGeometry(Margin, y, width - 2 * Margin, LblComment->sizeHint().height());
    y += LblComment->height() + 4;
    MemoComment->setGeometry(Margin, y, width - 2 * Margin, 110);
    y += MemoComment->height() + 12;
    const int sendWidth = qMax(120, BttnSend->sizeHint().width());
    const int cancelWidth = qMax(90, BttnCancel->sizeHint().width());
    BttnSend->setGeometry(Margin, y, sendWidth, ButtonHeight);
    BttnCancel->setGeometry(width - Margin - cancelWidth, y, cancelWidth, ButtonHeight);
    setFixedSize(width, y + ButtonHeight + Margin);
    if (QWidget *owner = parentWidget(); owner && owner->isVisible())
        move(owner->frameGeometry().center() - rect().center());
}

QByteArray TErrorReportForm::ReportAddress() const {
    return ErrorReportAddress(serviceUrls().ErrorReport, TraceLines(), MemoComment->toPlainText(),
                              ChkContact->isChecked(), SessionKey);
}

void TErrorReportForm::SendErrorReport() {
    if (Sender->busy())
        return;
    PlaySystemSound(sndClick);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    BttnSend->setEnabled(false);
    BttnCancel->setEnabled(false);
    if (!Sender->send(ReportAddress(), Proxy))
        Sent(false, QString());
}

void TErrorReportForm::Sent(bool delivered, const QString &tlsFailure) {
    (void)delivered; // a failed send is not the operator's concern: thanks all the same
    QApplication::restoreOverrideCursor();
    BttnSend->setEnabled(true);
    BttnCancel->setEnabled(true);
    if (!tlsFailure.isEmpty())
        ShowMessageWindow(mkError, tlsFailure, MsgButton::OK);
    else
        ShowMessageWindow(mkInformation, Msg("Thank you for sending this error report"),
                          MsgButton::OK);
    accept();
}

void TErrorReportForm::done(int result) {
    // Closing while the report is on its way would leave its answer nowhere.
    if (Sender->busy())
        return;
    MemoComment->clear();
    TraceSuspended = false;
    QDialog::done(result);
}

void ShowErrorReport(QWidget *parent) {
    if (reportOpen)
        return;
    if (hook()) {
        hook()();
        return;
    }
    reportOpen = true;
    TErrorReportForm form(effectiveProxy(), adminVars().CurrentKey, parent);
    form.exec();
    reportOpen = false;
}
