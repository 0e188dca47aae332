#pragma once
#include <QDialog>
#include <QPoint>

class QLabel;
class QPushButton;

// The small window that asks what a clipboard transfer carries: plain text, the bitmap or the
// complete clipboard. Borderless and modal, it opens at the mouse, moved away from the main
// toolbar so it does not cover the button that opened it.
class TClipBrdOptionsForm : public QDialog {
    Q_OBJECT
public:
    // Toolbar sides as the main window reports them: 0 top (also when it is docked nowhere),
    // 1 bottom, 2 left, 3 right.
    TClipBrdOptionsForm(bool upload, QPoint mouse, int toolbarSide, QWidget *parent = nullptr);

    // 0 (cancelled) or the option 1 to 3 (see ClipboardContent::Option).
    int Option() const { return Result; }
    QLabel *optionLabel(int option) const; // 1..3
    QPushButton *cancelButton() const { return BttnCancel; }
    // Where the window goes for a mouse position, the window's size and the toolbar's side.
    static QPoint placement(QPoint mouse, QSize size, int toolbarSide);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    bool Upload;
    QPoint Mouse;
    int ToolbarSide;
    int Result = 0;
    QLabel *LblHead;
    QLabel *Labels[3];
    QPushButton *BttnCancel;
};

// Asks at the mouse position; the result option (0 for "Cancel").
int GetClipBoardOption(bool upload, int toolbarSide, QWidget *mainWindow = nullptr);
