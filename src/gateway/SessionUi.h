#pragma once
#include <QString>

// What the gateway session asks of the windows. The main window implements it with the
// notification windows; tests implement it to record what the operator would have seen and to
// give the operator's answers. Every method has a harmless default so a headless session runs.
class SessionUi {
public:
    virtual ~SessionUi() = default;

    // The flash notice: title (empty for "Info"), text, seconds.
    virtual void flash(const QString &title, const QString &text, int seconds) {
        (void)title, (void)text, (void)seconds;
    }
    // The modal message window; returns the button pressed (MsgResult numbers).
    virtual int message(int kind, const QString &text, int buttons) {
        (void)kind, (void)text, (void)buttons;
        return 2; // OK
    }
    // The yes/no question window; true for Yes.
    virtual bool ask(const QString &text) {
        (void)text;
        return true;
    }
    virtual bool questionVisible() const { return false; }
    // The update window; true when the operator accepts.
    virtual bool offerUpdate(bool mandatory) {
        (void)mandatory;
        return false;
    }
    virtual void openConnectionSettings() {}
    // Close the console; the session has ended or is not running.
    virtual void closeMainWindow() {}
    virtual void closeMessageForms() {}
    virtual void updateConnectionStatus() {}
    // The third status bar panel ("Connecting to …", "Session Key: …").
    virtual void setSessionPanel(const QString &text) { (void)text; }
    // The windows' part of the session reset.
    virtual void resetWindow() {}
    // The logon completed: the splash stops and the invitation window opens.
    virtual void logonCompleted() {}
    // A logoff is starting: the windows stop recording, reset the wallpaper buttons and the
    // screen mode box.
    virtual void logoffStarted() {}
    virtual void playSound(int sound) { (void)sound; }
    // The screen-resolution advice offered at connect; returns the new ResTip.
    virtual bool offerResolutionTip(bool current) { return current; }
    virtual void closeWaitForHost() {}
    // The host acknowledged the stop of the queue for file transfer; true when the file
    // transfer window opened (it then polls in the session's place).
    virtual bool startExplorer() { return false; }
    // The host joined: bring the console to the front (back from the tray with the alarm sound
    // when it sits there); `w32` disables the colour boxes at their first entry.
    virtual void hostJoined(bool w32) { (void)w32; }
    // The host left for a reboot: grey the picture, stop the pointer, show the wait window.
    virtual void hostRebooting() {}
    // The host ended the session itself: the pop-up notice with its sound.
    virtual void hostEnded() {}
    // The host vanished: clear and hide the picture, leave full screen.
    virtual void hostLost() {}
    // Leave full-screen mode if it is on.
    virtual void leaveFullScreen() {}
    // Enter full-screen mode (session start with AutoFS).
    virtual void enterFullScreen() {}
    virtual void showAnnouncement(bool product, const QString &title, const QString &text) {
        (void)product, (void)title, (void)text;
    }
};
