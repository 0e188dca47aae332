#include "tools/AdminChat.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "tools/RemoteChat.h"
#include "ui/BorderlessWindow.h"
#include "ui/ResourceBitmap.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>

namespace {
const QColor RemoteColour(Qt::red);
const QColor OperatorColour(0, 0, 128); // navy

bool isEnter(const QKeyEvent *k) {
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
           !(k->modifiers() & Qt::ShiftModifier);
}
} // namespace

TAdminChatForm::TAdminChatForm(RemoteChat *chat, QWidget *mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), Chat(chat),
      MainWindow(mainWindow) {
    setObjectName(QStringLiteral("AdminChatForm"));
    setWindowTitle(QStringLiteral("Chat"));
    setFixedSize(FormWidth, FormHeight);
    setStyleSheet(NoticeControlsStyle() +
                  QStringLiteral("QCheckBox#ChkLogChat { color: white; }"
                                 "QLabel#LblChat, QLabel#LblTyping { color: white; }"));
    SetRoundedMask(this, 12);

    LblChat = new QLabel(this);
    LblChat->setObjectName(QStringLiteral("LblChat"));
    LblChat->setTextFormat(Qt::PlainText);
    QFont head = LblChat->font();
    head.setBold(true);
    head.setPointSizeF(head.pointSizeF() + 2);
    LblChat->setFont(head);
    LblChat->setGeometry(52, 8, 420, 26);

    DisplayMemo = new QTextEdit(this);
    DisplayMemo->setObjectName(QStringLiteral("DisplayMemo"));
    DisplayMemo->setReadOnly(true);
    // Text only: nothing in the conversation is a link, a picture or a format to follow.
    DisplayMemo->setAcceptRichText(false);
    DisplayMemo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    DisplayMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DisplayMemo->setGeometry(16, 52, FormWidth - 32, 196);

    LblTyping = new QLabel(this);
    LblTyping->setObjectName(QStringLiteral("LblTyping"));
    LblTyping->setGeometry(44, 252, 400, 20);
    ImgTyping = new QLabel(this);
    ImgTyping->setObjectName(QStringLiteral("ImgTyping"));
    ImgTyping->setPixmap(LoadResourceBitmap(QStringLiteral("rcTyping_bmp"), QSize(20, 20)));
    ImgTyping->setGeometry(18, 252, 20, 20);

    LocalMemo = new QPlainTextEdit(this);
    LocalMemo->setObjectName(QStringLiteral("LocalMemo"));
    LocalMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LocalMemo->setGeometry(16, 276, FormWidth - 140, 64);
    LocalMemo->installEventFilter(this);
    connect(LocalMemo, &QPlainTextEdit::textChanged, this, [this] {
        QString text = LocalMemo->toPlainText();
        if (text.size() > RemoteChat::kMaxSentChars) {
            // A message travels in a request address: the input stops at what it can carry.
            text.truncate(RemoteChat::kMaxSentChars);
            LocalMemo->setPlainText(text);
            LocalMemo->moveCursor(QTextCursor::End);
            return;
        }
        Chat->inputChanged(text.isEmpty());
    });

    BttnSend = new QPushButton(this);
    BttnSend->setObjectName(QStringLiteral("BttnSend"));
    BttnSend->setGeometry(FormWidth - 116, 276, 100, 64);
    connect(BttnSend, &QPushButton::clicked, this, &TAdminChatForm::BttnSendClick);

    ChkLogChat = new QCheckBox(this);
    ChkLogChat->setObjectName(QStringLiteral("ChkLogChat"));
    ChkLogChat->setGeometry(16, 350, 220, 24);
    PlayClickOnClick(ChkLogChat);
    connect(ChkLogChat, &QCheckBox::clicked, this, [this](bool on) {
        Chat->setLogChat(on);
        LocalMemo->setFocus();
    });

    BttnMinimize = new QPushButton(this);
    BttnMinimize->setObjectName(QStringLiteral("BttnMinimize"));
    PlayClickOnClick(BttnMinimize);
    connect(BttnMinimize, &QPushButton::clicked, this, &QWidget::showMinimized);
    BttnClose = new QPushButton(this);
    BttnClose->setObjectName(QStringLiteral("BttnClose"));
    connect(BttnClose, &QPushButton::clicked, Chat, &RemoteChat::closeByOperator);

    Timer1.setInterval(300);
    connect(&Timer1, &QTimer::timeout, this, &TAdminChatForm::Timer1Timer);

    connect(Chat, &RemoteChat::opened, this, &TAdminChatForm::FormShow);
    connect(Chat, &RemoteChat::closed, this, [this] {
        Timer1.stop();
        hide();
    });
    connect(Chat, &RemoteChat::lineAdded, this, &TAdminChatForm::UpdateDisplay);
    connect(Chat, &RemoteChat::remoteTypingChanged, this, &TAdminChatForm::ShowTyping);

    EnableSurfaceDrag(this);
    registerLanguageListener(this);
    ApplyTexts();
    ShowTyping(false);
}

void TAdminChatForm::ApplyTexts() {
    LblChat->setText(Msg(HostRequested ? "CLIENT CHAT REQUEST" : "CHAT WITH CLIENT"));
    FitLabelFont(LblChat, LblChat->width());
    LblTyping->setText(Msg("The remote user is typing a message"));
    FitLabelFont(LblTyping, LblTyping->width());
    ChkLogChat->setText(Msg("Log chat"));
    BttnSend->setText(Msg("Send"));
    BttnClose->setText(Msg("Close"));
    BttnMinimize->setText(Msg("Minimize"));
    const int w = std::max({100, BttnClose->sizeHint().width(), BttnMinimize->sizeHint().width()});
    BttnClose->setGeometry(FormWidth - 16 - w, 348, w, 28);
    BttnMinimize->setGeometry(FormWidth - 24 - 2 * w, 348, w, 28);
}

void TAdminChatForm::FormShow(bool hostRequested) {
    HostRequested = hostRequested;
    DisplayMemo->clear();
    {
        // Emptying the input here is no typing to report.
        const QSignalBlocker quiet(LocalMemo);
        LocalMemo->clear();
    }
    ChkLogChat->setChecked(Chat->logChat());
    ShowTyping(false);
    ApplyTexts();
    QRect around = MainWindow ? MainWindow->frameGeometry() : QRect();
    if (around.isEmpty())
        if (QScreen *s = QGuiApplication::primaryScreen())
            around = s->availableGeometry();
    move(around.center() - QPoint(FormWidth / 2, FormHeight / 2));
    showNormal();
    raise();
    activateWindow();
    LocalMemo->setFocus();
}

void TAdminChatForm::BttnSendClick() {
    if (Chat->send(LocalMemo->toPlainText())) {
        LocalMemo->clear(); // its change sends "RsTp"
        LocalMemo->document()->setModified(false);
    }
    LocalMemo->setFocus();
}

void TAdminChatForm::UpdateDisplay(bool remote, const QString &line) {
    QTextCursor c(DisplayMemo->document());
    c.movePosition(QTextCursor::End);
    if (!DisplayMemo->document()->isEmpty())
        c.insertBlock();
    QTextCharFormat f;
    f.setForeground(remote ? RemoteColour : OperatorColour);
    // insertText never reads markup: the line is shown as the characters it holds.
    c.insertText(line, f);
    DisplayMemo->verticalScrollBar()->setValue(DisplayMemo->verticalScrollBar()->maximum());
}

void TAdminChatForm::ShowTyping(bool typing) {
    Timer1.stop();
    LblTyping->setVisible(typing);
    ImgTyping->setVisible(typing);
    if (typing) {
        BlinkCount = 0;
        Timer1.start();
    }
}

void TAdminChatForm::Timer1Timer() {
    if (BlinkCount >= 4) {
        // After five ticks (1.5 seconds) the notice stays until the remote user stops.
        LblTyping->setVisible(true);
        ImgTyping->setVisible(true);
        Timer1.stop();
        return;
    }
    ++BlinkCount;
    LblTyping->setVisible(!LblTyping->isVisible());
    ImgTyping->setVisible(LblTyping->isVisible());
}

bool TAdminChatForm::eventFilter(QObject *watched, QEvent *e) {
    if (watched == LocalMemo && e->type() == QEvent::KeyPress &&
        isEnter(static_cast<QKeyEvent *>(e))) {
        BttnSendClick();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

bool TAdminChatForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        ApplyTexts();
        return true;
    }
    if (e->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent *>(e))) {
        // Enter anywhere in the window sends.
        BttnSendClick();
        return true;
    }
    return QWidget::event(e);
}

void TAdminChatForm::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
        raise();
        LocalMemo->setFocus();
    }
}

void TAdminChatForm::closeEvent(QCloseEvent *e) {
    // Closed from outside (the window manager): the same as "Close".
    if (Chat->isOpen())
        Chat->closeByOperator();
    e->accept();
}

void TAdminChatForm::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0x16, 0x3f, 0x70));
    p.drawPixmap(0, 0, LoadResourceBitmap(QStringLiteral("rcChat_bmp"), size()));
}
