#pragma once
#include <QScrollArea>

class QLabel;

// What the getting-started and user guide windows share: a scrolling window as wide as its
// header picture and 500 pixels high, back at the top each time it is shown, whose mouse wheel
// moves 20 pixels a step. The content is laid out by hand, top to bottom, in pixels.
class TGuideWindow : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int WindowHeight = 500;
    static constexpr int WheelStep = 20;
    static constexpr int TextColour = 0x003366; // RGB(0,51,102)

    explicit TGuideWindow(QWidget *mainWindow);
    // Shown beside the main window, scrolled to the top.
    void ShowGuide();

protected:
    void showEvent(QShowEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;

    // Children of the content in RGB(0,51,102), plain text unless `rich`.
    QLabel *addLabel(const QString &name, bool rich = false);
    // A picture child showing `resource` at its designed size (or `size`).
    QLabel *addPicture(const QString &resource, const QSize &size = QSize());
    // The content's width: the header picture's.
    int contentWidth() const { return ContentWidth; }
    void setContentHeight(int height);
    QWidget *content() const { return Content; }

private:
    QWidget *MainWindow;
    QWidget *Content;
    int ContentWidth;
};
