#pragma once
#include "ui/GuideWindow.h"

class QLabel;

// The getting-started guide: the header with its heading, "1. Configure QUORVIA" with its three
// steps, "2. Start a support session" with the three ways of sending the instructions, the
// closing paragraphs with the short setup address, and the footer.
class TGettingStartedForm : public TGuideWindow {
    Q_OBJECT
public:
    explicit TGettingStartedForm(QWidget *mainWindow = nullptr);

    // Takes the texts from the catalog and lays the window out (creation, language change).
    void ApplyTexts();

private:
    void LayOut();

    QLabel *LblHeading;
    QLabel *LblSection[2];
    QLabel *Bullets[7];
    QLabel *Texts[4];   // the three configuration steps and the session text
    QLabel *LblChoose;  // "You can choose between:"
    QLabel *Ways[3];    // lead-in and explanation on one line
    QLabel *Closing[2]; // the remote user's mail; the setup address and what follows
    QLabel *PicHeader, *PicTitle[2], *PicStep[2], *PicFooter;
};
