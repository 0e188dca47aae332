#pragma once
#include <QLabel>

class QWidget;

// The console's picture buttons and clickable texts as assistive technology and the keyboard
// see them: a button with a name in the current language, its enabled state and the press
// action.

// A picture button's hint: the tooltip, and the accessible name without the shortcut that the
// tooltip may add (`name`; the hint when empty).
void SetButtonHint(QWidget *button, const QString &hint, const QString &name = QString());

// A text that acts when clicked (quick links, the clipboard options): reachable with Tab,
// pressed with Space or Return, with a focus mark, and a button to assistive technology.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit TClickLabel(QWidget *parent);
    explicit TClickLabel(const QString &text, QWidget *parent);
    // As a click with the mouse.
    void click();

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
};
