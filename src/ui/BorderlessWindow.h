#pragma once
#include <QString>

class QWidget;
class QAbstractButton;
class QFont;
class QLabel;

// The console's notices have no title bar: they are moved by dragging any point of their surface
// that is not a control.
void EnableSurfaceDrag(QWidget *window);

// Cuts the window to a rounded rectangle, so the corners of its panel picture are not painted
// over a square background. Call again after every resize.
void SetRoundedMask(QWidget *window, int radius);

// The look of the buttons and check boxes on the notices' own panels.
QString NoticeControlsStyle();
// Headings on these windows: bold, a point larger than the text around them.
void SetHeadingFont(QWidget *label);

// Every button and check box of the console plays the click sound before it acts; connect this
// before the button's own handler.
void PlayClickOnClick(QAbstractButton *button);

// The fixed-size notices have no room to grow: a translation too long for its line is set a
// little smaller (down to `minPointSize`) rather than cut or wrapped.
QFont FontFittingWidth(const QFont &font, const QString &text, int width,
                       double minPointSize = 6.5);
void FitLabelFont(QLabel *label, int width, double minPointSize = 6.5);
