#pragma once
#include <QRect>
#include <QTimer>
#include <QWidget>

// The pop-up notice: a 200 x 60 window that slides up from the bottom right corner of the first
// monitor, stays for a while and slides back down, never taking the focus.
enum PopUpKind : int { pkFullControl = 0, pkViewOnly = 1, pkSessionEnded = 2 };

class TPopUpForm : public QWidget {
    Q_OBJECT
public:
    enum State { Idle, Rising, Waiting, Falling };
    static constexpr int FormWidth = 200;
    static constexpr int FormHeight = 60;
    static constexpr int StepMs = 20;

    explicit TPopUpForm(QWidget *parent = nullptr);

    // Starts the notice; one already under way changes its content and rises again from where
    // it is, then waits the new duration.
    void ShowPopUp(int kind, int durationMs);

    // The monitor the notice slides on; the first monitor unless a test sets another.
    void setScreenGeometry(const QRect &screen) { Screen = screen; }
    QRect screenGeometry() const;

    // One 20 ms step of the slide; the slide timer calls it, tests call it directly.
    void tick();
    // The wait is over; the wait timer calls it, tests call it directly.
    void finishWait();

    State state() const { return CurrentState; }
    int kind() const { return Kind; }
    QString text() const { return Text; }
    int startTop() const;
    int targetTop() const;

    QTimer SlideTimer;
    QTimer WaitTimer;

protected:
    void paintEvent(QPaintEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool event(QEvent *e) override;

private:
    void ApplyTexts();
    static int stepTowards(int from, int to);

    State CurrentState = Idle;
    int Kind = pkFullControl;
    int DurationMs = 0;
    QString Text;
    QRect Screen;
};

// The console's pop-up notice, with the pop-up sound. The window is made when needed and goes
// away when it has slid down.
void ShowPopUp(int kind, int durationMs);
void ClosePopUp();
TPopUpForm *CurrentPopUp();
