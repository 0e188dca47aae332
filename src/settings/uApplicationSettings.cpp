#include "settings/uApplicationSettings.h"

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "settings/uIniFiles.h"
#include "ui/BorderlessWindow.h"
#include "ui/QVMessage.h"
#include "ui/uSounds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int TextWidth = 340;
}

TApplicationSettingsForm::TApplicationSettingsForm(QWidget *parent) : DialogFrame(parent) {
    setObjectName(QStringLiteral("ApplicationSettingsForm"));
    setModal(true);
    auto check = [this](QWidget *box, const char *name) {
        auto *c = new QCheckBox(box);
        c->setObjectName(QLatin1String(name));
        // Every change clicks, also the ones made while the dialog opens.
        connect(c, &QCheckBox::toggled, this, [] { PlaySystemSound(sndClick); });
        return c;
    };

    BoxGeneral = new QGroupBox(this);
    BoxGeneral->setObjectName(QStringLiteral("BoxGeneral"));
    auto *general = new QVBoxLayout(BoxGeneral);
    auto *lang = new QHBoxLayout;
    LblLang = new QLabel(BoxGeneral);
    LblLang->setObjectName(QStringLiteral("LblLang"));
    LblLang->setWordWrap(true);
    LanguageBox = new QComboBox(BoxGeneral);
    LanguageBox->setObjectName(QStringLiteral("LanguageBox"));
    LanguageBox->addItems(LanguageNames());
    lang->addWidget(LblLang, 1);
    lang->addWidget(LanguageBox);
    general->addLayout(lang);
    ChkSessionTime = check(BoxGeneral, "ChkSessionTime");
    ChkConnMsg = check(BoxGeneral, "ChkConnMsg");
    ChkShowpops = check(BoxGeneral, "ChkShowpops");
    ChkAutoFS = check(BoxGeneral, "ChkAutoFS");
    ChkAutoRes = check(BoxGeneral, "ChkAutoRes");
    ChkSounds = check(BoxGeneral, "ChkSounds");
    ChkLogSession = check(BoxGeneral, "ChkLogSession");
    for (QCheckBox *c :
         {ChkSessionTime, ChkConnMsg, ChkShowpops, ChkAutoFS, ChkAutoRes, ChkSounds, ChkLogSession})
        general->addWidget(c);
    bodyLayout()->addWidget(BoxGeneral);

    BoxPerformance = new QGroupBox(this);
    BoxPerformance->setObjectName(QStringLiteral("BoxPerformance"));
    auto *performance = new QGridLayout(BoxPerformance);
    ChkAutoDesk = check(BoxPerformance, "ChkAutoDesk");
    ChkSetRes = check(BoxPerformance, "ChkSetRes");
    ChkSetCol = check(BoxPerformance, "ChkSetCol");
    ScreenModeBox = new QComboBox(BoxPerformance);
    ScreenModeBox->setObjectName(QStringLiteral("ScreenModeBox"));
    ScreenModeBox->addItems(ScreenModeChoices());
    ColorBox = new QComboBox(BoxPerformance);
    ColorBox->setObjectName(QStringLiteral("ColorBox"));
    performance->addWidget(ChkAutoDesk, 0, 0, 1, 2);
    performance->addWidget(ChkSetRes, 1, 0);
    performance->addWidget(ScreenModeBox, 1, 1);
    performance->addWidget(ChkSetCol, 2, 0);
    performance->addWidget(ColorBox, 2, 1);
    performance->setColumnStretch(0, 1);
    bodyLayout()->addWidget(BoxPerformance);

    BoxProduct = new QGroupBox(this);
    BoxProduct->setObjectName(QStringLiteral("BoxProduct"));
    auto *product = new QVBoxLayout(BoxProduct);
    ChkShowCommercialMsg = check(BoxProduct, "ChkShowCommercialMsg");
    product->addWidget(ChkShowCommercialMsg);
    bodyLayout()->addWidget(BoxProduct);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    BtnSave = new QPushButton(this);
    BtnSave->setObjectName(QStringLiteral("BtnSave"));
    BtnSave->setDefault(true);
    BtnClose = new QPushButton(this);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->setAutoDefault(false);
    for (QPushButton *b : {BtnSave, BtnClose}) {
        PlayClickOnClick(b);
        bottom->addWidget(b);
    }
    bodyLayout()->addLayout(bottom);
    for (QGroupBox *b : {BoxGeneral, BoxPerformance, BoxProduct})
        b->setMinimumWidth(TextWidth + 40);

    connect(ChkAutoFS, &QCheckBox::toggled, this, &TApplicationSettingsForm::UpdateEnabled);
    connect(ChkAutoRes, &QCheckBox::toggled, this, &TApplicationSettingsForm::UpdateEnabled);
    connect(ChkAutoDesk, &QCheckBox::clicked, this, &TApplicationSettingsForm::ChkAutoDeskClick);
    connect(LanguageBox, &QComboBox::currentIndexChanged, this,
            &TApplicationSettingsForm::LanguageBoxChange);
    connect(BtnSave, &QPushButton::clicked, this, &TApplicationSettingsForm::BtnSaveClick);
    connect(BtnClose, &QPushButton::clicked, this, &TApplicationSettingsForm::BtnCloseClick);
    registerLanguageListener(this);
    ApplyTexts();
}

void TApplicationSettingsForm::ApplyTexts() {
    setHeaderText(Msg("APPLICATION SETTINGS"));
    BoxGeneral->setTitle(Msg("General settings"));
    BoxPerformance->setTitle(Msg("Performance settings on session start"));
    BoxProduct->setTitle(Msg("Product information && announcements"));
    LblLang->setText(Msg("Select application language:"));
    ChkSessionTime->setText(Msg("Show session time on disconnect"));
    ChkConnMsg->setText(Msg("Show connection messages"));
    ChkShowpops->setText(Msg("Show pup-up messages"));
    ChkAutoFS->setText(Msg("Auto switch to full screen mode at session start"));
    ChkAutoRes->setText(Msg("Auto resize remote screen to fit full screen"));
    ChkSounds->setText(Msg("Enable system sounds"));
    ChkLogSession->setText(Msg("Log session data"));
    ChkAutoDesk->setText(Msg("Auto hide the remote wallpaper"));
    ChkSetRes->setText(Msg("Screen resolution: Always switch to"));
    ChkSetCol->setText(Msg("Color quality: Always start with"));
    ChkShowCommercialMsg->setText(Msg("Show new product announcements"));
    BtnSave->setText(Msg("Save"));
    BtnClose->setText(Msg("Cancel"));
    // The colour box in the new language, keeping its choice.
    const int colour = ColorBox->currentIndex();
    ColorBox->clear();
    ColorBox->addItems(RelabelColorEntries(ColorSource, Msg("colors")));
    ColorBox->setCurrentIndex(colour);
}

bool TApplicationSettingsForm::event(QEvent *e) {
    if (WindowMessages::messageOf(e) == WindowMessages::UpdateForm) {
        ApplyTexts();
        return true;
    }
    return DialogFrame::event(e);
}

void TApplicationSettingsForm::Prepare(const ApplicationValues &values,
                                       const QStringList &colorEntries) {
    Preparing = true;
    Values = values;
    OpenedLanguage = values.AppLang;
    Cancelled = true;
    ColorSource = colorEntries;
    ColorBox->clear();
    ApplyTexts();
    LanguageBox->setCurrentIndex(values.AppLang < LanguageBox->count() ? values.AppLang : 0);
    ChkSessionTime->setChecked(values.SesTime);
    ChkConnMsg->setChecked(values.ConnMsg);
    ChkShowpops->setChecked(values.ShowPops);
    ChkAutoFS->setChecked(values.AutoFS);
    ChkAutoRes->setChecked(values.FitScr);
    ChkSounds->setChecked(values.Sound);
    ChkLogSession->setChecked(values.SessionLog);
    ChkAutoDesk->setChecked(values.DisWP);
    ChkSetRes->setChecked(values.SetRes);
    ChkSetCol->setChecked(values.SetCol);
    ChkShowCommercialMsg->setChecked(values.ShowComm);
    ScreenModeBox->setCurrentIndex(qBound(0, values.IscrMode, ScreenModeBox->count() - 1));
    ColorBox->setCurrentIndex(qBound(0, values.IAutoCol, qMax(0, ColorBox->count() - 1)));
    UpdateEnabled();
    Preparing = false;
}

void TApplicationSettingsForm::UpdateEnabled() {
    const bool enabled = ResolutionChoiceEnabled(ChkAutoFS->isChecked(), ChkAutoRes->isChecked());
    ChkSetRes->setEnabled(enabled);
    ScreenModeBox->setEnabled(enabled);
}

void TApplicationSettingsForm::ChkAutoDeskClick(bool checked) {
    if (checked)
        return;
    const int answer = ShowMessageWindow(
        mkWarning,
        Msg("Enabling the remote wallpaper will significantly decrease the application "
            "performance!\rThe remote wallpaper automatically re-enables when a support session "
            "ends.\rDo you really want to enable the remote wallpaper?"),
        MsgButton::Yes | MsgButton::No);
    if (answer != mrYes)
        ChkAutoDesk->setChecked(true);
}

void TApplicationSettingsForm::LanguageBoxChange(int index) {
    if (Preparing || index < 0 || index >= LanguageCount)
        return;
    SelectLanguage(quint8(index));
    BroadcastLanguageChange();
}

void TApplicationSettingsForm::BtnSaveClick() {
    ApplicationValues v;
    v.AppLang = quint8(qMax(0, LanguageBox->currentIndex()));
    v.SesTime = ChkSessionTime->isChecked();
    v.ConnMsg = ChkConnMsg->isChecked();
    v.ShowPops = ChkShowpops->isChecked();
    v.AutoFS = ChkAutoFS->isChecked();
    v.FitScr = ChkAutoRes->isChecked();
    v.Sound = ChkSounds->isChecked();
    v.SessionLog = ChkLogSession->isChecked();
    v.DisWP = ChkAutoDesk->isChecked();
    v.SetRes = ChkSetRes->isChecked();
    v.IscrMode = qMax(0, ScreenModeBox->currentIndex());
    v.SetCol = ChkSetCol->isChecked();
    v.IAutoCol = qMax(0, ColorBox->currentIndex());
    v.ShowComm = ChkShowCommercialMsg->isChecked();
    Values = v;
    Cancelled = false;
    accept();
}

void TApplicationSettingsForm::BtnCloseClick() {
    Cancelled = true;
    if (settings().AppLang != OpenedLanguage) {
        SelectLanguage(OpenedLanguage);
        BroadcastLanguageChange();
    }
    QDialog::reject();
}

void TApplicationSettingsForm::reject() {
    BtnCloseClick();
}
