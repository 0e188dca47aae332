#pragma once
#include "ui/GuideWindow.h"

#include <QList>

class QLabel;

// The user guide: one row per toolbar picture with what the button does, then the connection
// meter, then the footer. A row is 30 pixels high, or 40 when its description wraps beyond 20
// pixels of height; pictures sit 8 and texts 12 pixels below the row's top.
class TUserGuideForm : public TGuideWindow {
    Q_OBJECT
public:
    static constexpr int RowHeight = 30;
    static constexpr int WrappedRowHeight = 40;

    explicit TUserGuideForm(QWidget *mainWindow = nullptr);

    void ApplyTexts();
    // The description labels of the rows shown, top to bottom (tests).
    QList<QLabel *> rowTexts() const { return RowTexts; }

private:
    void LayOut();

    QLabel *LblHeading;
    QLabel *PicHeader, *PicFooter, *PicMeter, *LblMeter;
    QList<QLabel *> RowPictures;
    QList<QLabel *> RowTexts;
    QLabel *LblKeysHeading, *LblKeys;
    QList<QLabel *> KeyNames, KeyTexts; // the host-key combinations
};
