#pragma once
#include <QTimer>
#include <QWidget>

// The turning globe of the start page and the about window. Its pictures are the invitation
// window's globe frames ("rcWorld1_bmp", "rcWorld2_bmp", ...), as many as the program holds;
// without them the globe is drawn here, turning the same way.
class GlobeAnimation : public QWidget {
    Q_OBJECT
public:
    explicit GlobeAnimation(QWidget *parent = nullptr, int intervalMs = 80);

    void start() { Timer.start(); }
    void stop() { Timer.stop(); }
    // Back on the first picture.
    void reset();
    bool running() const { return Timer.isActive(); }
    int frame() const { return Frame; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QTimer Timer;
    int Frame = 0;
    int FrameCount;
};
