#pragma once
#include <QString>

// What the gateway session itself asks of the operator. The main window implements it with the
// notification windows; tests implement it to record what the operator would have seen and to
// give the operator's answers. Every method has a harmless default so a headless session runs.
// Features do not extend it: their windows talk to their own core objects.
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
    virtual void playSound(int sound) { (void)sound; }
    // The screen-resolution advice offered at connect; returns the new ResTip.
    virtual bool offerResolutionTip(bool current) { return current; }
    virtual void closeWaitForHost() {}
    // The host joined: bring the console to the front (back from the tray with the alarm sound
    // when it sits there).
    virtual void hostJoined() {}
    // The host ended the session itself: the pop-up notice with its sound.
    virtual void hostEnded() {}
    virtual void showAnnouncement(bool product, const QString &title, const QString &text) {
        (void)product, (void)title, (void)text;
    }
};
