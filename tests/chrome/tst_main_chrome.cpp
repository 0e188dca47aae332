#include <QtTest>

#include "ConsoleSettingsFile.h"

#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/TraceRing.h"
#include "common/VersionText.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "main/QuorvAdmin.h"
#include "screen/RemoteInput.h"
#include "screen/ScreenArea.h"
#include "settings/uIniFiles.h"
#include "ui/GlobeAnimation.h"
#include "ui/MainChrome.h"
#include "ui/MainMenus.h"
#include "ui/MainToolbar.h"
#include "ui/QVMessage.h"
#include "ui/SplashPanel.h"

#include "common/WindowMessages.h"
#include "screen/FullScreenHeader.h"
#include <QToolButton>

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>

namespace {

QStringList captions(const QMenu *menu) {
    QStringList out;
    for (const QAction *a : menu->actions())
        out.append(a->isSeparator() ? QStringLiteral("-")
                                    : QString(a->text()).remove(QLatin1Char('&')));
    return out;
}
} // namespace

// The main window's chrome in the real window: menu, toolbar, start page, status bar, tray.
class TestMainChrome : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetMessageWindowHook([](int, const QString &, int) { return int(mrOK); });
    }

    void init() {
        adminVars() = AdminVars();
        settings() = Settings();
        ClearTrace();
        QFile::remove(ComputeAppFolders(exeName()).SettingsFile);
    }

    // The stored toolbar place, nailing and status bar come back at start, follow the menu
    // and are written at close.
    void toolbarAndStatusBarSettingsAreAppliedAndSaved() {
        writeSettings("[Window]\nTBpos=3\nShowST=0\n[Data]\nTBnailed=0\nSound=0\n");
        TQuorvAdminForm form;
        form.setClosingDelay(0);
        TMainChrome *chrome = form.chrome();
        TMainToolbar *bar = chrome->toolbar();
        TMainMenus *menus = chrome->menus();
        form.show();
        QCOMPARE(bar->position(), int(TMainToolbar::OnRight));
        QVERIFY(menus->item(TMainMenus::MenuTBRight)->isChecked());
        QTRY_VERIFY(!bar->nailed()); // the press is animated
        QVERIFY(bar->buttonShown(TMainToolbar::BttnNailUp));
        QVERIFY(!bar->buttonShown(TMainToolbar::BttnNailDown));
        QVERIFY(form.statusBar()->isHidden());
        QCOMPARE(menus->item(TMainMenus::MenuStatusBar)->text(), Msg("Show statusbar"));

        menus->item(TMainMenus::MenuStatusBar)->trigger();
        QVERIFY(!form.statusBar()->isHidden());
        QCOMPARE(menus->item(TMainMenus::MenuStatusBar)->text(), Msg("Hide statusbar"));
        menus->item(TMainMenus::MenuTBTop)->trigger();
        bar->button(TMainToolbar::BttnNailUp)->trigger();
        QVERIFY(bar->nailed());
        QVERIFY(form.close());
        const QByteArray ini = savedSettings();
        QVERIFY2(ini.contains("TBpos=0"), ini.constData());
        QVERIFY(ini.contains("ShowST=1"));
        QVERIFY(ini.contains("TBnailed=1"));
    }

    // Going vertical moves a button from left x to top x; coming back restores it. Every
    // button of the table shows in order, one place for each pair.
    void toolbarSwapsCoordinatesBetweenHorizontalAndVertical() {
        TMainToolbar bar;
        for (int b = 0; b < TMainToolbar::ButtonCount; ++b)
            connect(bar.button(TMainToolbar::Button(b)), &QAction::triggered, this, [] {});
        for (auto b : {TMainToolbar::BttnWANdisconnect, TMainToolbar::BttnShowWallpaper,
                       TMainToolbar::BttnStopSessionRecording, TMainToolbar::BttnScalePropOff,
                       TMainToolbar::BttnScaleMaxOff})
            bar.button(b)->setVisible(false);
        bar.SetPosition(TMainToolbar::OnTop);
        QWidget *reboot = bar.buttonWidget(TMainToolbar::BttnReboot);
        const int left = reboot->x();
        QCOMPARE(reboot->y(), 3);
        bar.SetPosition(TMainToolbar::OnLeft);
        QCOMPARE(reboot->pos(), QPoint(5, left));
        QCOMPARE(bar.width(), TMainToolbar::Thickness);
        bar.SetPosition(TMainToolbar::OnRight);
        QCOMPARE(reboot->pos(), QPoint(3, left));
        bar.SetPosition(TMainToolbar::OnBottom);
        QCOMPARE(reboot->pos(), QPoint(left, 3));
        QCOMPARE(bar.height(), TMainToolbar::Thickness);

        QList<int> places;
        for (int b = 0; b < TMainToolbar::ButtonCount; ++b)
            if (bar.buttonShown(TMainToolbar::Button(b)))
                places.append(bar.buttonWidget(TMainToolbar::Button(b))->x());
        QCOMPARE(places.size(), 19);
        QVERIFY(std::is_sorted(places.begin(), places.end()));
        QVERIFY(std::adjacent_find(places.begin(), places.end()) == places.end());
        // A button without a feature leaves no gap.
        TMainToolbar bare;
        bare.SetPosition(TMainToolbar::OnTop);
        QVERIFY(!bare.buttonShown(TMainToolbar::BttnReboot));
        QCOMPARE(bare.buttonWidget(TMainToolbar::BttnNailDown)->x(), places.first());
        QCOMPARE(bar.button(QStringLiteral("BttnReboot")), bar.button(TMainToolbar::BttnReboot));
    }

    // Without a session the keyboard reaches the toolbar (F10, then the arrows), and every
    // picture button and quick link is a button to assistive technology: named in the current
    // language, disabled where it cannot act, pressed through its action interface.
    void keyboardAndAssistiveTechnologyReachTheChrome() {
        TQuorvAdminForm form;
        form.setClosingDelay(0);
        settings().UserCode = settings().Password = QStringLiteral("demo"); // no first start
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        TMainToolbar *bar = form.chrome()->toolbar();
        QTest::keyClick(&form, Qt::Key_F10);
        QTRY_COMPARE(QApplication::focusWidget(), bar->buttonWidget(TMainToolbar::BttnWANconnect));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        auto *next = qobject_cast<TImageEx *>(QApplication::focusWidget());
        QVERIFY(next && next != bar->buttonWidget(TMainToolbar::BttnWANconnect));
        QVERIFY(next->isVisible() && next->isEnabled());
        QTest::keyClick(next, Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), bar->buttonWidget(TMainToolbar::BttnWANconnect));

        const auto press = [](QWidget *w) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
            QVERIFY(a && a->actionInterface());
            QVERIFY(a->actionInterface()->actionNames().contains(
                QAccessibleActionInterface::pressAction()));
            a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        };
        QAccessibleInterface *reboot =
            QAccessible::queryAccessibleInterface(bar->buttonWidget(TMainToolbar::BttnReboot));
        QCOMPARE(reboot->role(), QAccessible::Button);
        QCOMPARE(reboot->text(QAccessible::Name), QStringLiteral("Reboot client computer"));
        QVERIFY(reboot->state().disabled);
        QVERIFY(bar->nailed());
        press(bar->buttonWidget(TMainToolbar::BttnNailDown));
        QTRY_VERIFY(!bar->nailed()); // the press is animated

        TSplashPanel *start = form.chrome()->startPage();
        QAccessibleInterface *link =
            QAccessible::queryAccessibleInterface(start->link(TSplashPanel::LinkUserGuide));
        QCOMPARE(link->role(), QAccessible::Button);
        QCOMPARE(link->text(QAccessible::Name), QStringLiteral("Quick user guide"));
        QSignalSpy clicked(start, &TSplashPanel::linkClicked);
        press(start->link(TSplashPanel::LinkUserGuide));
        QCOMPARE(clicked.size(), 1);

        QWidget *headerReboot = form.screenArea()->header()->button(THeaderForm::BttnReboot);
        SelectLanguage(3);
        PostMessage(&form, WindowMessages::UpdateForm);
        PostMessage(form.screenArea()->header(), WindowMessages::UpdateForm);
        QTRY_COMPARE(reboot->text(QAccessible::Name), Msg("Reboot client computer"));
        QVERIFY(reboot->text(QAccessible::Name) != QStringLiteral("Reboot client computer"));
        QTRY_COMPARE(QAccessible::queryAccessibleInterface(headerReboot)->text(QAccessible::Name),
                     Msg("Reboot client computer"));
        SelectLanguage(0);
    }

    // Not nailed, the bar slides to a 3-pixel strip a second after the pointer went into the
    // window, not when it left over the outer edge; touching the strip brings it back at once.
    void unnailedToolbarSlidesToAStripAndComesBack() {
        TMainToolbar bar;
        bar.SetPosition(TMainToolbar::OnTop);
        bar.resize(600, TMainToolbar::Thickness);
        QPoint pointer;
        bar.pointerPos = [&] { return bar.mapToGlobal(pointer); };
        bar.SetToolBarNailed(false);
        bar.slideTimer().stop();
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);

        pointer = QPoint(100, 2); // out over the top edge, towards the menu
        QApplication::sendEvent(&bar, &leave);
        QVERIFY(!bar.slideTimer().isActive());
        pointer = QPoint(100, 60); // into the window
        QApplication::sendEvent(&bar, &leave);
        QVERIFY(bar.slideTimer().isActive());
        QCOMPARE(bar.slideTimer().interval(), 1000);
        QCOMPARE(bar.thickness(), TMainToolbar::Thickness);
        QTRY_COMPARE(bar.thickness(), TMainToolbar::StripThickness);
        QCOMPARE(bar.height(), 3);

        QApplication::sendEvent(&bar, &enter);
        QCOMPARE(bar.thickness(), TMainToolbar::Thickness);
        QVERIFY(!bar.slideTimer().isActive());

        bar.SetToolBarNailed(true); // nailed: leaving changes nothing
        QApplication::sendEvent(&bar, &leave);
        QVERIFY(!bar.slideTimer().isActive());
    }

    // The menu holds every item in its place; items without a feature are disabled.
    void menuHoldsEveryItemAndDisablesThoseWithoutAFeature() {
        writeSettings("[Data]\nUserCode=op\nPassword=\nSound=0\n");
        TQuorvAdminForm form;
        form.show();
        QMenuBar *bar = form.menuBar();
        QStringList titles;
        for (QAction *a : bar->actions())
            titles.append(QString(a->text()).remove(QLatin1Char('&')));
        QCOMPARE(titles,
                 (QStringList{"Connection", "View", "Transfer", "Client", "Settings", "Help"}));
        TMainMenus *menus = form.chrome()->menus();
        QCOMPARE(captions(menus->menu(TMainMenus::MenuHelp)).mid(0, 3),
                 (QStringList{"Getting started", "Quick user guide", "Quorvia on the web"}));
        QCOMPARE(captions(menus->menu(TMainMenus::MenuWeb)),
                 (QStringList{"Technical support", "Consult the knowledge base",
                              "Frequently asked questions", "Product history", "-",
                              "Online product information", "Contact Quorvia"}));
        QCOMPARE(captions(menus->menu(TMainMenus::MenuToolbar)),
                 (QStringList{"On top", "On bottom", "Left", "Right"}));
        // The state is in the caption, and the item switches it.
        const bool movesShown = form.screenArea()->input()->showMouseMoves();
        const auto movesCaption = [](bool on) {
            return QStringLiteral("Show mouse moves on remote (%1)").arg(on ? "on" : "off");
        };
        QVERIFY(captions(menus->menu(TMainMenus::MenuView)).contains(movesCaption(movesShown)));
        menus->item(TMainMenus::MenuMouseMoves)->trigger();
        QCOMPARE(form.screenArea()->input()->showMouseMoves(), !movesShown);
        QVERIFY(captions(menus->menu(TMainMenus::MenuView)).contains(movesCaption(!movesShown)));
        QVERIFY(menus->item(TMainMenus::MenuAbout)->isEnabled());
        QVERIFY(menus->item(TMainMenus::MenuStartSession)->isEnabled());
        QVERIFY(menus->item(TMainMenus::MenuRefreshScreen)->isVisible()); // bound to the screen
        // The file transfer is attached but needs a remote computer.
        QVERIFY(form.chrome()->toolbar()->buttonShown(TMainToolbar::BttnCopyFile));
        QVERIFY(!menus->item(QStringLiteral("MenuTransferFile"))->isEnabled());
        // Every feature's button is on the bar, and the bar holds nothing else.
        for (auto b : {TMainToolbar::BttnOsHostInfo, TMainToolbar::BttnTaskMgr,
                       TMainToolbar::BttnReboot, TMainToolbar::BttnPrint, TMainToolbar::BttnChat,
                       TMainToolbar::BttnDownloadClipboard, TMainToolbar::BttnUploadClipboard,
                       TMainToolbar::BttnPictToDesktop, TMainToolbar::BttnStartSessionRecording})
            QVERIFY2(form.chrome()->toolbar()->buttonShown(b),
                     qPrintable(TMainToolbar::buttonName(b)));
        QVERIFY(form.findChildren<QToolBar *>().size() == 1);
    }

    // The start page plays until the logon, stops then, and plays again after the session.
    void startPageFollowsTheSession() {
        writeSettings("[Window]\nTBpos=0\n[Data]\nUserCode=op\nPassword=\nSound=0\n");
        TQuorvAdminForm form;
        form.show();
        TMainChrome *chrome = form.chrome();
        TSplashPanel *page = chrome->startPage();
        QCOMPARE(page->mode(), TSplashPanel::Mode::Playing);
        QVERIFY(form.windowTitle().startsWith(QStringLiteral("QUORVIA Access ") +
                                              GetVersionText(2) + QStringLiteral(" - ")));
        QVERIFY(page->globe()->running());
        QCOMPARE(page->globe()->geometry(), QRect(564, 6, 75, 65));
        QCOMPARE(chrome->toolbar()->parentWidget(), page);
        // Centred picture panel with the toolbar glued on top of it.
        QCOMPARE(chrome->toolbar()->geometry().bottom() + 1, page->imagePanel()->y());
        QCOMPARE(page->imagePanel()->x(), (page->width() - 650) / 2);

        adminVars().LoggedOn = true;
        emit form.session()->loggedOn();
        QCOMPARE(page->mode(), TSplashPanel::Mode::Stopped);
        QVERIFY(!page->globe()->running());
        QVERIFY(page->imagePanel()->isHidden());
        QCOMPARE(chrome->toolbar()->parentWidget(), &form);
        QCOMPARE(form.toolBarArea(chrome->toolbar()), Qt::TopToolBarArea);
        chrome->SplashClean();
        QCOMPARE(page->mode(), TSplashPanel::Mode::Clean);

        adminVars().LoggedOn = false;
        form.InitVars();
        QCOMPARE(page->mode(), TSplashPanel::Mode::Playing);
        QCOMPARE(chrome->toolbar()->parentWidget(), page);
    }

    // The tray button does nothing while the invitation is open; otherwise the console hides
    // in the tray with its animation and comes back by the icon or when the remote user joins.
    void trayButtonHidesOnlyWithoutTheInvitationOpen() {
        writeSettings("[Data]\nUserCode=op\nPassword=\nSound=0\n");
        TQuorvAdminForm form;
        form.show();
        TMainChrome *chrome = form.chrome();
        bool invitationOpen = true;
        int waitShown = 0;
        chrome->hooks().invitationOpen = [&] { return invitationOpen; };
        chrome->hooks().trayAvailable = [] { return true; };
        chrome->hooks().showWaitForHost = [&] { ++waitShown; };
        QVERIFY(!chrome->toolbar()->buttonShown(TMainToolbar::BttnToTray));
        adminVars().LoggedOn = true;
        chrome->setInvitationSent(true);
        QVERIFY(chrome->toolbar()->buttonShown(TMainToolbar::BttnToTray));

        chrome->toolbar()->button(TMainToolbar::BttnToTray)->trigger();
        QVERIFY(traced(73));
        QVERIFY(form.isVisible());
        QVERIFY(!chrome->inTray());

        invitationOpen = false;
        chrome->BttnToTrayClick();
        QVERIFY(chrome->inTray());
        QVERIFY(!form.isVisible());
        QVERIFY(!form.formEventsConnected());
        QTRY_VERIFY(chrome->trayFrame() >= 2);
        QVERIFY(traced(74));
        emit chrome->trayIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(!chrome->inTray());
        QVERIFY(form.isVisible());
        QVERIFY(form.formEventsConnected());
        QVERIFY(!chrome->trayTimer().isActive());
        QCOMPARE(waitShown, 1); // no remote user yet: the waiting window comes back
        QVERIFY(traced(99));

        chrome->BttnToTrayClick();
        QVERIFY(chrome->inTray());
        adminVars().HostLoggedOn = true;
        emit form.session()->hostJoined();
        QTRY_VERIFY(form.isVisible());
        QVERIFY(!chrome->inTray());
        QCOMPARE(waitShown, 1);

        // With the remote user connected the button is gone and does nothing; it comes back
        // when the session waits for the user again.
        QVERIFY(!chrome->toolbar()->buttonShown(TMainToolbar::BttnToTray));
        chrome->BttnToTrayClick();
        QVERIFY(!chrome->inTray());
        QVERIFY(form.isVisible());
        adminVars().HostLoggedOn = false;
        emit form.session()->hostLost();
        QVERIFY(chrome->toolbar()->buttonShown(TMainToolbar::BttnToTray));

        // The session ends while the console sits in the tray: it comes back, the icon goes.
        chrome->BttnToTrayClick();
        QVERIFY(chrome->inTray());
        adminVars().LoggedOn = false;
        form.InitVars();
        QVERIFY(form.isVisible());
        QVERIFY(!chrome->inTray());
        QVERIFY(!chrome->trayTimer().isActive());
        QVERIFY(!chrome->trayIcon()->isVisible());
        QVERIFY(!chrome->toolbar()->buttonShown(TMainToolbar::BttnToTray));
    }
};

QTEST_MAIN(TestMainChrome)
#include "tst_main_chrome.moc"
