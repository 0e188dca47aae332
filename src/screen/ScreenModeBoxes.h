#pragma once
#include <QComboBox>

class ScreenModes;

// The drop-down boxes of the remote screen modes and colour depths. The main window and the
// full-screen toolbar each have one of both; all show the same ScreenModes, so picking an entry
// in either has the same effect and both always show the same choice.
class ScreenModeBox : public QComboBox {
    Q_OBJECT
public:
    ScreenModeBox(ScreenModes *modes, QWidget *parent = nullptr);
    void showPopup() override;
    // "Screen modes" in the current language while nothing is selected.
    void applyTexts();

private:
    void sync();
    ScreenModes *Modes;
};

class ColorBox : public QComboBox {
    Q_OBJECT
public:
    ColorBox(ScreenModes *modes, QWidget *parent = nullptr);

private:
    void sync();
    ScreenModes *Modes;
};
