#pragma once
#include <QWidget>

// The remote user's pointer in view-only mode: a small red arrow that stays on top, shown
// without taking the focus. A click on it closes it.
class TMouseForm : public QWidget {
    Q_OBJECT
public:
    explicit TMouseForm(QWidget *parent = nullptr);

    // Places the arrow's tip at `global` (screen coordinates).
    void moveTipTo(QPoint global);
    // A click of the remote user: the arrow blinks once.
    void Flash();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    int Closes = 0;
};
