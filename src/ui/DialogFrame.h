#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class QVBoxLayout;

// The look of the console's settings and invitation windows: no title bar, a rounded panel in
// the notices' colours with the header band on top, dragged by any point of its surface that
// is not a control. Content goes into bodyLayout(); the window takes the size its layout asks
// for, so a longer translation makes it taller instead of cutting the text.
class DialogFrame : public QDialog {
    Q_OBJECT
public:
    explicit DialogFrame(QWidget *parent = nullptr, bool stayOnTop = false);

    void setHeaderText(const QString &text);
    QLabel *headerLabel() const { return Header; }
    QVBoxLayout *bodyLayout() const { return Body; }

    // Centres the window over `over` (the main window), or the primary screen.
    void centreOver(QWidget *over);

    // The style of group titles, check boxes, fields and buttons on these windows.
    static QString ControlsStyle();
    // A button of these windows: named, never taking Return for itself, with the click sound.
    static QPushButton *button(QWidget *parent, const char *objectName);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    QLabel *Header;
    QVBoxLayout *Body;
};
