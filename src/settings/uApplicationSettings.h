#pragma once
#include "settings/ApplicationSettingsCore.h"
#include "ui/DialogFrame.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The application settings dialog. The language box switches every open window at once;
// "Cancel" switches back. Everything else works on copies that the caller stores after "Save"
// (accepted()).
class TApplicationSettingsForm : public DialogFrame {
    Q_OBJECT
public:
    explicit TApplicationSettingsForm(QWidget *parent = nullptr);

    // FormShow. colorEntries: the main window's colour box as it stands ("   16 colors", ...).
    void Prepare(const ApplicationValues &values, const QStringList &colorEntries);
    ApplicationValues values() const { return Values; }
    bool cancelled() const { return Cancelled; }

    void BtnSaveClick();
    void BtnCloseClick();
    void ApplyTexts();

public slots:
    void reject() override; // Escape: as "Cancel"

protected:
    bool event(QEvent *e) override;

private:
    void UpdateEnabled();
    void LanguageBoxChange(int index);
    void ChkAutoDeskClick(bool checked);

    ApplicationValues Values;
    quint8 OpenedLanguage = 0;
    QStringList ColorSource;
    bool Cancelled = true;
    bool Preparing = false;

    QGroupBox *BoxGeneral, *BoxPerformance, *BoxProduct;
    QLabel *LblLang;
    QComboBox *LanguageBox;
    QCheckBox *ChkSessionTime, *ChkConnMsg, *ChkShowpops, *ChkAutoFS, *ChkAutoRes, *ChkSounds,
        *ChkLogSession, *ChkAutoDesk, *ChkSetRes, *ChkSetCol, *ChkShowCommercialMsg;
    QComboBox *ScreenModeBox, *ColorBox;
    QPushButton *BtnSave, *BtnClose;
};
