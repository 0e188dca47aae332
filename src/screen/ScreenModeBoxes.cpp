#include "screen/ScreenModeBoxes.h"

#include "common/uLanguageMsg.h"
#include "screen/ScreenModes.h"

#include <QFontDatabase>
#include <QSignalBlocker>

namespace {
// The entries are padded with blanks to line the numbers up.
void useFixedPitch(QComboBox *box) {
    box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box->setFocusPolicy(Qt::ClickFocus);
}

void showEntries(QComboBox *box, const QStringList &entries, int index, bool enabled) {
    const QSignalBlocker block(box);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown.append(box->itemText(i));
    if (shown != entries) {
        box->clear();
        box->addItems(entries);
    }
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
    box->setEnabled(enabled);
}
} // namespace

ScreenModeBox::ScreenModeBox(ScreenModes *modes, QWidget *parent)
    : QComboBox(parent), Modes(modes) {
    setObjectName(QStringLiteral("ScreenModeBox"));
    useFixedPitch(this);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    connect(this, &QComboBox::activated, Modes, &ScreenModes::ScreenModeBoxSelect);
    connect(Modes, &ScreenModes::modesChanged, this, &ScreenModeBox::sync);
    applyTexts();
    sync();
}

void ScreenModeBox::showPopup() {
    Modes->ModeBoxDropDown();
    QComboBox::showPopup();
}

void ScreenModeBox::applyTexts() {
    setPlaceholderText(Msg("Screen modes"));
}

void ScreenModeBox::sync() {
    showEntries(this, Modes->modeEntries(), Modes->modeIndex(), Modes->modeBoxEnabled());
}

ColorBox::ColorBox(ScreenModes *modes, QWidget *parent) : QComboBox(parent), Modes(modes) {
    setObjectName(QStringLiteral("ColorBox"));
    useFixedPitch(this);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    connect(this, &QComboBox::activated, Modes, &ScreenModes::ColorBoxSelect);
    connect(Modes, &ScreenModes::colorsChanged, this, &ColorBox::sync);
    sync();
}

void ColorBox::sync() {
    showEntries(this, Modes->colorEntries(), Modes->colorIndex(), Modes->colorBoxEnabled());
}
