#pragma once
#include "ui/AccessibleControls.h"

#include <QLabel>
#include <QList>
#include <QWidget>

class GlobeAnimation;

// A quick link of the start page: RGB(16,67,134), red with a hand cursor under the pointer.
class TLinkLabel : public TClickLabel {
    Q_OBJECT
public:
    static constexpr QRgb Colour = 0x104386;
    static constexpr QRgb HoverColour = 0xff0000;
    explicit TLinkLabel(QWidget *parent);
    void resetColour();

protected:
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    void setColour(QRgb colour);
};

// The start page shown while no remote user is connected: a top-to-bottom gradient in 64
// steps, and centred on it the 650 x 500 picture panel with the turning globe and the quick
// links. Once the logon succeeded it is plain grey: the picture panel goes (SplashStop), and
// when the invitation is done the page is only the grey screen area (SplashClean).
class TSplashPanel : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Playing, Stopped, Clean };
    enum Link : int {
        LinkStartSession,
        LinkConnectionSettings,
        LinkApplicationSettings,
        LinkAccount,
        LinkGettingStarted,
        LinkUserGuide,
        LinkProductInformation,
        LinkFaq,
        LinkSupportForum,
        LinkSupportRequest,
        LinkKnowledgeBase,
        LinkAskQuestion,
        LinkContact,
        LinkCount
    };
    static constexpr QSize ImageSize{650, 500};
    static constexpr QRect GlobeRect{564, 6, 75, 65};
    static constexpr int GradientSteps = 64;
    static constexpr QRgb GradientTop = 0x7e9db8;    // RGB(126,157,184)
    static constexpr QRgb GradientBottom = 0x62799d; // RGB(98,121,157)
    static constexpr QRgb SessionGrey = 0x808080;

    explicit TSplashPanel(QWidget *parent = nullptr);

    Mode mode() const { return CurrentMode; }
    void setMode(Mode mode);
    QWidget *imagePanel() const { return ImagePanel; }
    GlobeAnimation *globe() const { return Globe; }
    TLinkLabel *link(Link l) const { return Links[l]; }

    // A widget placed beside the picture panel on the given side (0 top, 1 bottom, 2 left,
    // 3 right), e.g. the toolbar while the start page plays; null for none.
    void setAttached(QWidget *widget, int side);
    // Centres the picture panel and what is attached to it.
    void SplashResize();
    void applyTexts();

signals:
    void linkClicked(int link);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    Mode CurrentMode = Mode::Playing;
    QWidget *ImagePanel;
    GlobeAnimation *Globe;
    QLabel *LblTitle;
    QList<QLabel *> Headings;
    TLinkLabel *Links[LinkCount];
    QWidget *Attached = nullptr;
    int AttachedSide = 0;
};
