#include "ui/ChooseMail.h"

#include "common/TraceRing.h"
#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "settings/uIniFiles.h"
#include "ui/BorderlessWindow.h"
#include "ui/Invitation.h"
#include "ui/QVMessage.h"
#include "ui/ResourceBitmap.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int GlobeFrames = 9;
constexpr int GlobeSize = 96;
constexpr int TextWidth = 300;

const char *const InstructionLanguages[] = {"English", "Dutch",   "French",     "German",
                                            "Italian", "Spanish", "Portuguese", "Catalan"};

// The catalog breaks these texts for the old fixed layout; the labels wrap them themselves.
QString flowing(const char *english) {
    return ToDisplayLines(Msg(english)).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

QLabel *wrapped(QWidget *parent, const char *name) {
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setFixedWidth(TextWidth);
    return l;
}

} // namespace

TChooseMailForm::TChooseMailForm(Invitation *invitation, QWidget *mainWindow)
    : DialogFrame(mainWindow, true), Invite(invitation),
      OpenMail([](const QUrl &url) { return QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("ChooseMailForm"));
    setModal(false);
    GlobeTimer.setInterval(80);
    connect(&GlobeTimer, &QTimer::timeout, this, &TChooseMailForm::nextGlobe);

    auto *top = new QHBoxLayout;
    ImgGlobe = new QLabel(this);
    ImgGlobe->setObjectName(QStringLiteral("ImgGlobe"));
    ImgGlobe->setFixedSize(GlobeSize, GlobeSize);
    top->addWidget(ImgGlobe, 0, Qt::AlignTop);
    auto *info = new QGridLayout;
    LblLanguage = new QLabel(this);
    LblLanguage->setObjectName(QStringLiteral("LblLanguage"));
    LblLanguage->setWordWrap(true);
    LanguageBox = new QComboBox(this);
    LanguageBox->setObjectName(QStringLiteral("LanguageBox"));
    for (int i = 0; i < LanguageCount; ++i)
        LanguageBox->addItem(QString());
    LblKey = new QLabel(this);
    LblKey->setObjectName(QStringLiteral("LblKey"));
    LblKey->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblSetupUrl = new QLabel(this);
    LblSetupUrl->setObjectName(QStringLiteral("LblSetupUrl"));
    LblSetupUrl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = LblKey->font();
    bold.setBold(true);
    LblKey->setFont(bold);
    info->addWidget(LblLanguage, 0, 0, 1, 2);
    info->addWidget(LanguageBox, 1, 0, Qt::AlignLeft);
    info->addWidget(LblKey, 2, 0, 1, 2);
    info->addWidget(LblSetupUrl, 3, 0, 1, 2);
    info->setColumnStretch(1, 1);
    top->addLayout(info, 1);
    bodyLayout()->addLayout(top);

    // The gateway's mail
    BoxGatewayMail = new QGroupBox(this);
    BoxGatewayMail->setObjectName(QStringLiteral("BoxGatewayMail"));
    auto *gateway = new QGridLayout(BoxGatewayMail);
    LblGatewayMail = wrapped(BoxGatewayMail, "LblGatewayMail");
    AddressBox = new QComboBox(BoxGatewayMail);
    AddressBox->setObjectName(QStringLiteral("AddressBox"));
    AddressBox->setEditable(true);
    AddressBox->setInsertPolicy(QComboBox::NoInsert);
    AddressBox->setFixedWidth(TextWidth);
    AddressBox->lineEdit()->setMaxLength(int(MaxMailAddressLength));
    ChkSaveAddress = new QCheckBox(BoxGatewayMail);
    ChkSaveAddress->setObjectName(QStringLiteral("ChkSaveAddress"));
    PlayClickOnClick(ChkSaveAddress);
    BttnSendMail = DialogFrame::button(BoxGatewayMail, "BttnSendMail");
    // Return after the address sends the invitation.
    BttnSendMail->setDefault(true);
    gateway->addWidget(LblGatewayMail, 0, 0);
    gateway->addWidget(AddressBox, 1, 0);
    gateway->addWidget(ChkSaveAddress, 2, 0);
    gateway->addWidget(BttnSendMail, 1, 1, Qt::AlignTop);
    bodyLayout()->addWidget(BoxGatewayMail);

    // The operator's own mail program
    BoxOwnMail = new QGroupBox(this);
    BoxOwnMail->setObjectName(QStringLiteral("BoxOwnMail"));
    auto *own = new QGridLayout(BoxOwnMail);
    LblOwnMail = wrapped(BoxOwnMail, "LblOwnMail");
    BttnOwnMail = DialogFrame::button(BoxOwnMail, "BttnOwnMail");
    own->addWidget(LblOwnMail, 0, 0);
    own->addWidget(BttnOwnMail, 0, 1, Qt::AlignVCenter);
    bodyLayout()->addWidget(BoxOwnMail);

    // The clipboard
    BoxClipboard = new QGroupBox(this);
    BoxClipboard->setObjectName(QStringLiteral("BoxClipboard"));
    auto *clip = new QGridLayout(BoxClipboard);
    LblClipboard = wrapped(BoxClipboard, "LblClipboard");
    BttnClipboard = DialogFrame::button(BoxClipboard, "BttnClipboard");
    clip->addWidget(LblClipboard, 0, 0);
    clip->addWidget(BttnClipboard, 0, 1, Qt::AlignVCenter);
    bodyLayout()->addWidget(BoxClipboard);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    BttnClose = DialogFrame::button(this, "BttnClose");
    BttnCancelSession = DialogFrame::button(this, "BttnCancelSession");
    bottom->addWidget(BttnClose);
    bottom->addWidget(BttnCancelSession);
    bodyLayout()->addLayout(bottom);

    connect(BttnSendMail, &QPushButton::clicked, this, &TChooseMailForm::BttnSendMailClick);
    connect(BttnOwnMail, &QPushButton::clicked, this, &TChooseMailForm::BttnOwnMailClick);
    connect(BttnClipboard, &QPushButton::clicked, this, &TChooseMailForm::BttnClipboardClick);
    connect(BttnClose, &QPushButton::clicked, this, &TChooseMailForm::BttnCloseClick);
    connect(BttnCancelSession, &QPushButton::clicked, this,
            &TChooseMailForm::BttnCancelSessionClick);
    connect(LanguageBox, &QComboBox::currentIndexChanged, this,
            &TChooseMailForm::LanguageBoxChange);
    connect(AddressBox->lineEdit(), &QLineEdit::returnPressed, this,
            &TChooseMailForm::BttnSendMailClick);
    registerLanguageListener(this);
    ApplyTexts();
}

void TChooseMailForm::ApplyTexts() {
    setHeaderText(Msg("HOW WOULD YOU LIKE TO SEND THE SETUP INSTRUCTIONS?"));
    LblLanguage->setText(Msg("Select the language for the remote user (email and setup website):"));
    for (int i = 0; i < LanguageCount; ++i)
        LanguageBox->setItemText(i, Msg(InstructionLanguages[i]));
    BoxGatewayMail->setTitle(Msg("Send an email using Quorvia internet mail"));
    BoxOwnMail->setTitle(Msg("Send an email using my default email software"));
    BoxClipboard->setTitle(Msg("Copy the setup instructions to the clipboard"));
    LblGatewayMail->setText(flowing(
        "Enter the email address of the remote\r\nuser and hit the \"Send email\" button."));
    LblOwnMail->setText(flowing(
        "Hit the \"Send email from my computer\"\r\nbutton to use the default email software."));
    LblClipboard->setText(
        flowing("Hit the \"Copy setup instructions to\r\nclipboard\" button if you want to "
                "paste\r\nthe setup instructions elsewhere."));
    ChkSaveAddress->setText(Msg("Save email address"));
    BttnSendMail->setText(Msg("Send email"));
    BttnOwnMail->setText(Msg("Send email from my computer"));
    BttnClipboard->setText(Msg("Copy setup instructions to clipboard"));
    BttnClose->setText(Msg("Close form"));
    BttnCancelSession->setText(Msg("Cancel session"));
    // The three action buttons share one width, so the window reads as three alike choices.
    int widest = 0;
    for (QPushButton *b : {BttnSendMail, BttnOwnMail, BttnClipboard}) {
        b->setMinimumWidth(0);
        widest = qMax(widest, b->sizeHint().width());
    }
    for (QPushButton *b : {BttnSendMail, BttnOwnMail, BttnClipboard})
        b->setMinimumWidth(widest);
    LblKey->setText(Msg("Session Key: ") + ShownKey);
    LblSetupUrl->setText(Msg("Setup URL:") + QLatin1Char(' ') +
                         ShortSetupAddress(settings().SetupUrl));
}

bool TChooseMailForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        ApplyTexts();
        return true;
    }
    return DialogFrame::event(e);
}

void TChooseMailForm::Open(const QString &keyWithGateway, const QString &operatorName, int miLang,
                           QWidget *centreOn) {
    Closing = false;
    BaseKey = keyWithGateway;
    OperatorName = operatorName;
    Language = InstructionLanguageFrom(miLang);
    // The key as shown ends with "-" and the language number.
    ShownKey = BaseKey + QLatin1Char('-');
    Filling = true;
    ApplyTexts();
    UpdateInfo(Language);
    ChkSaveAddress->setChecked(settings().SaveMAddr);
    AddressBox->clear();
    AddressBox->addItems(LoadMailList(MailListPath));
    AddressBox->setEditText(Invite ? Invite->LastMailAddress : QString());
    Filling = false;
    GlobeFrame = 0;
    nextGlobe();
    GlobeTimer.start();
    centreOver(centreOn ? centreOn : parentWidget());
    show();
    raise();
    activateWindow();
    AddressBox->setFocus();
}

void TChooseMailForm::UpdateInfo(int language) {
    Language = InstructionLanguageFrom(language);
    const qsizetype dash = ShownKey.lastIndexOf(QLatin1Char('-'));
    ShownKey = (dash < 0 ? BaseKey + QLatin1Char('-') : ShownKey.left(dash + 1)) +
               QString::number(Language + 1);
    const bool filling = Filling;
    Filling = true;
    LanguageBox->setCurrentIndex(Language);
    Filling = filling;
    SetupLink = SetupLinkFor(settings().SetupUrl, ShownKey);
    LblKey->setText(Msg("Session Key: ") + ShownKey);
    emit invitationKeyChanged(ShownKey);
}

void TChooseMailForm::LanguageBoxChange(int index) {
    if (Filling || index < 0)
        return;
    UpdateInfo(index);
    SelectInstructionLanguage(index);
}

QString TChooseMailForm::invitationText() const {
    return InvitationTextFor(Language, OperatorName, ShownKey, SetupLink, ServiceWebSite());
}

QUrl TChooseMailForm::mailtoAddress() const {
    return MailtoAddress(Language, OperatorName, invitationText());
}

void TChooseMailForm::BttnSendMailClick() {
    const QString address = AddressBox->currentText().trimmed();
    if (!IsValidEmail(address)) {
        ShowMessageWindow(mkError, Msg("Invalid email address"), MsgButton::OK);
        return;
    }
    UpdateInfo(Language);
    if (ChkSaveAddress->isChecked()) {
        QStringList list = LoadMailList(MailListPath);
        // A failed write is not worth an error: the address is still sent.
        if (AddMailAddress(list, address) && !MailListPath.isEmpty())
            SaveMailList(MailListPath, list);
    }
    CloseWith(GatewayMail);
}

void TChooseMailForm::BttnOwnMailClick() {
    UpdateInfo(Language);
    CloseWith(OwnMailProgram);
}

void TChooseMailForm::BttnClipboardClick() {
    CloseWith(Clipboard);
}

void TChooseMailForm::BttnCancelSessionClick() {
    CloseWith(EndSession);
}

void TChooseMailForm::BttnCloseClick() {
    CloseWith(NoChoice);
}

void TChooseMailForm::reject() {
    BttnCloseClick();
}

void TChooseMailForm::CloseWith(Choice choice) {
    if (Closing)
        return;
    Closing = true;
    keepChoices();
    GlobeTimer.stop();
    const QString address = AddressBox->currentText().trimmed();
    const QString text = invitationText();
    switch (choice) {
    case Clipboard:
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(text);
        break;
    case OwnMailProgram:
        if (OpenMail)
            OpenMail(MailtoAddress(Language, OperatorName, text));
        break;
    case GatewayMail:
        if (Invite)
            Invite->SendGatewayMail(ShownKey, address, Language + 1);
        break;
    case EndSession:
    case NoChoice:
        break;
    }
    hide();
    emit finished(choice, ShownKey, choice == GatewayMail ? address : QString());
}

void TChooseMailForm::keepChoices() {
    Settings &s = settings();
    s.SaveMAddr = ChkSaveAddress->isChecked();
    s.MILang = Language;
    if (Invite)
        Invite->LastMailAddress = AddressBox->currentText().trimmed();
}

void TChooseMailForm::hideEvent(QHideEvent *e) {
    GlobeTimer.stop();
    // Closed by the session (the remote user joined): what the operator chose is kept as by
    // "Close form".
    if (!Closing && !e->spontaneous())
        keepChoices();
    DialogFrame::hideEvent(e);
}

void TChooseMailForm::nextGlobe() {
    if (Globe.isEmpty()) {
        for (int i = 1; i <= GlobeFrames; ++i)
            Globe.append(LoadResourceBitmap(QStringLiteral("rcWorld%1_bmp").arg(i),
                                            QSize(GlobeSize, GlobeSize)));
    }
    GlobeFrame = GlobeFrame % GlobeFrames + 1;
    ImgGlobe->setPixmap(Globe.at(GlobeFrame - 1));
}
