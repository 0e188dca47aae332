#pragma once
#include <QWidget>

class QLabel;

// The bad-connection window: a 201 x 73 panel inside the main window at its lower right corner,
// shown while command round trips are too slow. A click anywhere on it closes it.
class TShowBadConnForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int FormWidth = 201;
    static constexpr int FormHeight = 73;
    static constexpr int Margin = 10; // from the main window's lower right corner

    explicit TShowBadConnForm(QWidget *mainWindow);

    // Shows the window with the pop-up sound; already showing, it only stays where it is.
    void ShowBadConn();
    void CloseBadConn();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    bool event(QEvent *e) override;

private:
    void ApplyTexts();
    void PlaceInCorner();

    QLabel *LblBad;
    QLabel *LblWait;
};
