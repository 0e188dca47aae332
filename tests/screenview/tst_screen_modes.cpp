#include <QtTest>

#include "common/AdminVars.h"
#include "gateway/GatewaySession.h"
#include "gateway/SessionUi.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "settings/uIniFiles.h"

namespace {
struct ScriptedUi : SessionUi {
    QStringList flashes;
    QStringList questions;
    int answer = 0; // Yes
    void flash(const QString &, const QString &text, int) override { flashes.append(text); }
    int message(int, const QString &text, int) override {
        questions.append(text);
        return answer;
    }
};

QList<QByteArray> lines(std::initializer_list<const char *> l) {
    QList<QByteArray> out;
    for (const char *s : l)
        out.append(s);
    return out;
}
} // namespace

// The mode list, the colour choice and what goes to the host for each box change. Commands are
// read from the session's queue; nothing is sent anywhere.
class TestScreenModes : public QObject {
    Q_OBJECT
    std::unique_ptr<GatewaySession> session;
    ScreenPipeline *pipeline = nullptr; // a child of the session
    std::unique_ptr<ScreenModes> modes;
    ScriptedUi ui;

    QList<QByteArray> &queue() { return session->CommandQueue; }

private slots:
    void init() {
        adminVars() = AdminVars();
        settings() = Settings();
        ui = ScriptedUi();
        session = std::make_unique<GatewaySession>();
        session->setUi(&ui);
        adminVars().LoggedOn = true;
        adminVars().HostLoggedOn = true;
        adminVars().CurrentKey = QStringLiteral("K1");
        pipeline = new ScreenPipeline(session.get());
        modes = std::make_unique<ScreenModes>(session.get(), pipeline);
        modes->hooks().monitorSize = [] { return QSize(1024, 768); };
        modes->ResetBoxes();
        queue().clear();
    }

    void cleanup() {
        modes.reset();
        session.reset();
    }

    void parsesAGoodList() {
        const ScreenModeList l = ParseScreenModeList(lines({"640 480 32", "800 600 32", "1"}));
        QCOMPARE(l.modes, (QList<QSize>{{640, 480}, {800, 600}}));
        QCOMPARE(l.current, 1);
    }

    void malformedLinesReadAsDefaults() {
        const ScreenModeList l = ParseScreenModeList(
            lines({"abc 600", "1024", "", "  1280   1024  ", "-5 0", "99999999 7", "x"}));
        QCOMPARE(l.modes,
                 (QList<QSize>{
                     {800, 600}, {1024, 600}, {800, 600}, {1280, 1024}, {800, 600}, {800, 7}}));
        QCOMPARE(l.current, 0);
        QCOMPARE(ParseScreenModeList({}).modes.size(), 0);
        QCOMPARE(ParseScreenModeList(lines({"3"})).current, 3);
    }

    void hugeListIsCapped() {
        QList<QByteArray> big(1000001, QByteArray("800 600 32"));
        big.last() = "7";
        const ScreenModeList l = ParseScreenModeList(big);
        QCOMPARE(l.modes.size(), MaxScreenModes);
        QCOMPARE(l.current, 7);
        emit session->stringListReceived(1, big);
        QCOMPARE(modes->modeEntries().size(), MaxScreenModes);
    }

    void entriesRoundTrip() {
        QCOMPARE(FormatScreenMode(800, 600), QStringLiteral("  800 x  600"));
        QCOMPARE(FormatScreenMode(32767, 1), QStringLiteral("32767 x    1"));
        int w = 0, h = 0;
        QVERIFY(ParseScreenModeEntry(FormatScreenMode(1280, 1024), w, h));
        QCOMPARE(QSize(w, h), QSize(1280, 1024));
        QVERIFY(!ParseScreenModeEntry(QStringLiteral("Screen modes"), w, h));
        QVERIFY(!ParseScreenModeEntry(QString(), w, h));
        QCOMPARE(PreferredResolution(0), QSize(800, 600));
        QCOMPARE(PreferredResolution(1), QSize(1024, 768));
        QCOMPARE(PreferredResolution(9), QSize(1024, 768));
        QCOMPARE(PreferredResolution(-2), QSize(800, 600));
    }

    void storedColourIndexesAreClamped() {
        Settings &s = settings();
        s.SetCol = true;
        s.IAutoCol = -1;
        modes->SetColorBox();
        QCOMPARE(modes->colorIndex(), 2);
        QCOMPARE(s.IAutoCol, 2);
        s.IAutoCol = 9;
        modes->SetColorBox();
        QCOMPARE(modes->colorIndex(), 2);
        QCOMPARE(s.IAutoCol, 2);
        s.SetCol = false;
        s.Icol = 5;
        modes->SetColorBox();
        QCOMPARE(modes->colorIndex(), 2);
        QCOMPARE(s.Icol, 2);
        s.Icol = -4;
        modes->SetColorBox();
        QCOMPARE(modes->colorIndex(), 0);
        QCOMPARE(modes->colorDepth(), 4);
        QCOMPARE(modes->colorEntries().first(), QStringLiteral("   16 colors"));
    }

    void sessionStartWithDefaults() {
        emit session->stringListReceived(1, lines({"640 480 32", "800 600 32", "1"}));
        QCOMPARE(modes->modeEntries(),
                 (QStringList{QStringLiteral("  640 x  480"), QStringLiteral("  800 x  600")}));
        QCOMPARE(modes->modeIndex(), 1);
        QCOMPARE(modes->ConfirmedModeIndex, 1);
        QCOMPARE(queue(), (QList<QByteArray>{"SCol?8", "DiWP", "GScr"}));
    }

    void setResSwitchesToThePreferredMode() {
        settings().SetRes = true;
        settings().DisWP = false;
        emit session->stringListReceived(1,
                                         lines({"640 480 32", "800 600 32", "1024 768 32", "2"}));
        QCOMPARE(queue(), (QList<QByteArray>{"SScM?800&600&8", "SCol?8", "GScr"}));
        QCOMPARE(modes->RequestedModeIndex, 1);
        queue().clear();
        session->WMHostMessage("SScM?OK");
        QCOMPARE(modes->modeIndex(), 1);
        QCOMPARE(modes->ConfirmedModeIndex, 1);
        // The full picture asked for at the start is still pending: nothing more to ask.
        QVERIFY(queue().isEmpty());
    }

    void setResAsksEvenWhenTheModeIsNotListed() {
        settings().SetRes = true;
        emit session->stringListReceived(1, lines({"1024 768 32", "1280 1024 32", "0"}));
        QCOMPARE(queue().first(), QByteArray("SScM?800&600&8"));
        QCOMPARE(modes->RequestedModeIndex, -1);
    }

    void rejectedSwitchReturnsToTheConfirmedMode() {
        emit session->stringListReceived(1, lines({"640 480 32", "800 600 32", "1"}));
        pipeline->FullPicturePending = false;
        queue().clear();
        modes->ScreenModeBoxSelect(0);
        QCOMPARE(queue(), (QList<QByteArray>{"SSup", "SScM?640&480&8"}));
        QCOMPARE(modes->modeIndex(), 0);
        queue().clear();
        session->WMHostMessage("SScM?NOK");
        QCOMPARE(ui.flashes, QStringList{QStringLiteral("Unable to set selected screen mode")});
        QCOMPARE(modes->modeIndex(), 1);
        QCOMPARE(queue(), (QList<QByteArray>{"SSup", "GScr"}));
    }

    void colourChangeWhileConnected() {
        int depthSeen = 0;
        connect(modes.get(), &ScreenModes::colorDepthChanged, this, [&](int d) { depthSeen = d; });
        modes->ColorBoxSelect(0);
        QCOMPARE(queue(), (QList<QByteArray>{"SSup", "SCol?4", "GScr"}));
        QCOMPARE(settings().Icol, 0);
        QCOMPARE(depthSeen, 4);
        QCOMPARE(pipeline->colorDepth(), 4);
        // Out of range: nothing happens.
        queue().clear();
        modes->ColorBoxSelect(3);
        QVERIFY(queue().isEmpty());
        QCOMPARE(modes->colorIndex(), 0);
    }

    void wallpaper() {
        ui.answer = 1; // No
        modes->BttnShowWallpaperClick();
        QCOMPARE(ui.questions.size(), 1);
        QVERIFY(queue().isEmpty());
        ui.answer = 0;
        modes->BttnShowWallpaperClick();
        QCOMPARE(queue(), (QList<QByteArray>{"SSup", "EnWP", "GScr"}));
        queue().clear();
        modes->WMHideWallpaper();
        QCOMPARE(queue(), (QList<QByteArray>{"SSup", "DiWP", "GScr"}));
        QVERIFY(!modes->wallpaperHidden());
        session->WMHostMessage("DiWP?NOK");
        QVERIFY(!modes->wallpaperHidden());
        session->WMHostMessage("DiWP?OK");
        QVERIFY(modes->wallpaperHidden());
        session->WMHostMessage("EnWP?OK");
        QVERIFY(!modes->wallpaperHidden());
        // View only: no wallpaper change.
        modes->hooks().fullControl = [] { return false; };
        queue().clear();
        modes->BttnHideWallpaperClick();
        QVERIFY(queue().isEmpty());
    }

    void recordingStopsBeforeTheSwitch() {
        emit session->stringListReceived(1, lines({"640 480 32", "800 600 32", "1"}));
        queue().clear();
        bool recording = true;
        qsizetype queuedWhenStopped = -1;
        modes->hooks().recording = [&] { return recording; };
        modes->hooks().stopRecording = [&] {
            recording = false;
            queuedWhenStopped = queue().size();
        };
        modes->ScreenModeBoxSelect(0);
        QCOMPARE(queuedWhenStopped, 1); // "SSup" only: the recording stopped before "SScM"
        QCOMPARE(queue().last(), QByteArray("SScM?640&480&8"));
    }

    void fitToFullScreen() {
        emit session->stringListReceived(1, lines({"640 480 32", "800 600 32", "1"}));
        queue().clear();
        modes->FitToFullScreen();
        QCOMPARE(ui.flashes, QStringList{QStringLiteral("Screen mode not available")});
        QVERIFY(queue().isEmpty());
        emit session->stringListReceived(1, lines({"800 600 32", "1024 768 32", "0"}));
        queue().clear();
        modes->FitToFullScreen();
        QCOMPARE(queue(), (QList<QByteArray>{"SSup", "SScM?1024&768&8"}));
        QCOMPARE(modes->RequestedModeIndex, 1);
    }

    void autoFitAtSessionStart() {
        settings().AutoFS = true;
        settings().FitScr = true;
        settings().SetRes = true; // fitting wins
        settings().DisWP = false;
        emit session->stringListReceived(1, lines({"800 600 32", "1024 768 32", "0"}));
        QCOMPARE(queue(), (QList<QByteArray>{"SSup", "SScM?1024&768&8", "SCol?8", "GScr"}));
        QCOMPARE(modes->modeIndex(), 1);
        // No matching mode: the current one stays selected.
        modes->ResetBoxes();
        emit session->stringListReceived(1, lines({"640 480 32", "800 600 32", "1"}));
        QCOMPARE(modes->modeIndex(), 1);
    }

    void emptyListKeepsTheEntries() {
        emit session->stringListReceived(1, lines({"640 480 32", "800 600 32", "1"}));
        emit session->stringListReceived(1, {});
        QCOMPARE(modes->modeEntries().size(), 2);
        QCOMPARE(modes->modeIndex(), 0);
    }

    void openingAnEmptyBoxAsksForTheList() {
        modes->ModeBoxDropDown();
        QCOMPARE(queue(), QList<QByteArray>{"GScM"});
        emit session->stringListReceived(1, lines({"640 480 32", "0"}));
        queue().clear();
        modes->ModeBoxDropDown();
        QVERIFY(queue().isEmpty());
        modes->LogoffStarted();
        QVERIFY(modes->modeEntries().isEmpty());
        QCOMPARE(modes->modeIndex(), -1);
    }

    void viewOnlySendsNoModeSwitch() {
        emit session->stringListReceived(1, lines({"640 480 32", "800 600 32", "1"}));
        queue().clear();
        modes->hooks().fullControl = [] { return false; };
        modes->ScreenModeBoxSelect(0);
        QCOMPARE(queue(), QList<QByteArray>{"SSup"});
    }

    void windows9xHostGetsSixteenColours() {
        modes->HostJoined(true);
        QCOMPARE(modes->colorIndex(), 0);
        QVERIFY(!modes->colorBoxEnabled());
        modes->HostJoined(false);
        QVERIFY(modes->colorBoxEnabled());
        modes->ResetBoxes();
        QVERIFY(modes->colorBoxEnabled());
    }
};

QTEST_GUILESS_MAIN(TestScreenModes)
#include "tst_screen_modes.moc"
