#include <QtTest>

#include "common/WindowMessages.h"
#include "common/uLanguageMsg.h"
#include "gateway/ConnectionMeter.h"
#include "gateway/GatewaySession.h"
#include "main/QuorvAdmin.h"
#include "settings/uIniFiles.h"
#include "ui/FlashInfo.h"
#include "ui/QVMessage.h"
#include "ui/uAskWarning.h"
#include "ui/uPopUp.h"
#include "ui/uShowBadConn.h"
#include "ui/uShowInfoMsg.h"
#include "ui/uSounds.h"
#include "ui/uTips.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

#include <functional>

namespace {
// Runs `act` on the modal window once the nested loop of a modal call is running. A window
// that a failed check left open is closed, so a failure never hangs the test.
void whenModal(std::function<void(QWidget *)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w) {
            QFAIL("no modal window");
            return;
        }
        act(w);
        if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible())
            d->done(-1);
    });
}

void click(QWidget *window, const char *name) {
    auto *b = window->findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

QRect firstMonitor() {
    return QGuiApplication::primaryScreen()->geometry();
}
} // namespace

class TestNotifyWindows : public QObject {
    Q_OBJECT
    QList<int> played;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetSoundHook([this](int sound, const QUrl &) { played.append(sound); });
    }
    void init() {
        played.clear();
        settings().Sound = true;
        SelectLanguage(0);
    }
    void cleanup() {
        CloseFlashInfo();
        ClosePopUp();
    }

    // ---- message window

    void messageButtons_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("shown");
        const QStringList yesNo = {"BttnYes", "BttnNo"};
        QTest::newRow("yes") << (MsgButton::Yes | MsgButton::No) << "BttnYes" << 0 << yesNo;
        QTest::newRow("no") << (MsgButton::Yes | MsgButton::No) << "BttnNo" << 1 << yesNo;
        QTest::newRow("no buttons means close")
            << 0 << "BttnClose" << 4 << QStringList{"BttnClose"};
        QTest::newRow("ok cancel") << (MsgButton::Cancel | MsgButton::OK) << "BttnCancel" << 3
                                   << QStringList{"BttnOK", "BttnCancel"};
        QTest::newRow("all six in fixed order")
            << (MsgButton::CancelSession | MsgButton::Close | MsgButton::Cancel | MsgButton::OK |
                MsgButton::No | MsgButton::Yes)
            << "BttnCancelSession" << 6
            << QStringList{"BttnYes",    "BttnNo",    "BttnOK",
                           "BttnCancel", "BttnClose", "BttnCancelSession"};
    }
    void messageButtons() {
        QFETCH(int, buttons);
        QFETCH(QString, press);
        QFETCH(int, result);
        QFETCH(QStringList, shown);
        QStringList seen;
        QStringList captions;
        whenModal([&](QWidget *w) {
            QList<QPushButton *> list = w->findChildren<QPushButton *>();
            std::sort(list.begin(), list.end(),
                      [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
            for (QPushButton *b : list) {
                seen << b->objectName();
                captions << b->text();
            }
            click(w, press.toLatin1().constData());
        });
        QCOMPARE(ShowMessageWindow(mkWarning, QStringLiteral("Proceed ?"), buttons), result);
        QCOMPARE(seen, shown);
        if (shown.first() == QLatin1String("BttnYes"))
            QCOMPARE(captions.first(), Msg("Yes"));
        if (shown.last() == QLatin1String("BttnCancelSession"))
            QCOMPARE(captions.last(), Msg("Cancel session"));
    }

    void titleIsWarningInEveryKindAndKindChoosesSound() {
        const int sounds[] = {sndWarning, sndError, sndPopup};
        for (int kind : {mkWarning, mkError, mkInformation}) {
            played.clear();
            QString title;
            whenModal([&](QWidget *w) {
                title = w->findChild<QLabel *>(QStringLiteral("LblTitle"))->text();
                click(w, "BttnOK");
            });
            ShowMessageWindow(kind, QStringLiteral("text"), MsgButton::OK);
            QCOMPARE(title, QStringLiteral(" WARNING"));
            QCOMPARE(played.value(0, -1), sounds[kind]);
        }
        SelectLanguage(3);
        QString title;
        whenModal([&](QWidget *w) {
            title = w->findChild<QLabel *>(QStringLiteral("LblTitle"))->text();
            click(w, "BttnOK");
        });
        ShowMessageWindow(mkError, QStringLiteral("text"), MsgButton::OK);
        QCOMPARE(title, QLatin1Char(' ') + CatalogText(3, "Warning").toUpper());
        QVERIFY(title != QStringLiteral(" WARNING"));
    }

    void everyButtonButYesClicks() {
        whenModal([](QWidget *w) { click(w, "BttnYes"); });
        ShowMessageWindow(mkWarning, QStringLiteral("q"), MsgButton::Yes | MsgButton::No);
        QCOMPARE(played, QList<int>{sndWarning});
        played.clear();
        whenModal([](QWidget *w) { click(w, "BttnNo"); });
        ShowMessageWindow(mkWarning, QStringLiteral("q"), MsgButton::Yes | MsgButton::No);
        QCOMPARE(played, (QList<int>{sndWarning, sndClick}));
        settings().Sound = false;
        played.clear();
        whenModal([](QWidget *w) { click(w, "BttnNo"); });
        ShowMessageWindow(mkError, QStringLiteral("q"), MsgButton::Yes | MsgButton::No);
        QVERIFY(played.isEmpty());
    }

    void escapeAnswersOnlyWithASafeButton() {
        whenModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
        QCOMPARE(ShowMessageWindow(mkWarning, QStringLiteral("q"), MsgButton::Yes | MsgButton::No),
                 int(mrNo));
        // Yes and "Cancel session" both start something: Escape leaves the question open.
        bool stillOpen = false;
        whenModal([&](QWidget *w) {
            QTest::keyClick(w, Qt::Key_Escape);
            stillOpen = w->isVisible();
            click(w, "BttnCancelSession");
        });
        QCOMPARE(ShowMessageWindow(mkWarning, QStringLiteral("q"),
                                   MsgButton::Yes | MsgButton::CancelSession),
                 int(mrCancelSession));
        QVERIFY(stillOpen);
    }

    void messageLayout() {
        TQVMessageForm form;
        form.Prepare(mkWarning, QStringLiteral("Hi"), MsgButton::OK);
        QCOMPARE(form.width(), 200);
        auto *text = form.findChild<QLabel *>(QStringLiteral("LblText"));
        QVERIFY(qAbs(text->geometry().center().y() - 78) <= 1);
        QCOMPARE(text->text(), QStringLiteral(" Hi"));
        // Centred horizontally on the screen.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(form.geometry().center().x() - screen.center().x()) <= 1);

        // Three buttons need their widths, 50 between each pair and 60.
        form.Prepare(mkWarning, QStringLiteral("Hi"),
                     MsgButton::Yes | MsgButton::No | MsgButton::Cancel);
        int buttons = 0;
        QList<QPushButton *> list = form.findChildren<QPushButton *>();
        for (QPushButton *b : list)
            buttons += b->width();
        QCOMPARE(list.size(), 3);
        QCOMPARE(form.width(), buttons + 2 * 50 + 60);

        // A long text widens the window to its width plus 20 and its lines stay whole.
        const QString longText(120, QLatin1Char('x'));
        form.Prepare(mkError, longText, MsgButton::OK);
        const int textWidth =
            QFontMetrics(text->font()).horizontalAdvance(QLatin1Char(' ') + longText);
        QVERIFY(form.width() > 200);
        QVERIFY(qAbs(form.width() - (textWidth + 20)) <= 2);

        // Many lines push the buttons down instead of covering them.
        form.Prepare(mkError, QStringLiteral("1\r2\r3\r4\r5\r6\r7\r8"), MsgButton::OK);
        QPushButton *ok = form.findChild<QPushButton *>(QStringLiteral("BttnOK"));
        QVERIFY(text->geometry().bottom() < ok->geometry().top());
        QVERIFY(text->geometry().top() >= 34);
        QVERIFY(ok->geometry().bottom() < form.height());
    }

    void hookAnswersWithoutWindow() {
        int seenButtons = -1;
        SetMessageWindowHook([&](int, const QString &, int buttons) {
            seenButtons = buttons;
            return int(mrCancel);
        });
        QCOMPARE(ShowMessageWindow(mkWarning, QStringLiteral("x"), 0), int(mrCancel));
        SetMessageWindowHook({});
        QCOMPARE(seenButtons, int(MsgButton::Close));
        QVERIFY(played.isEmpty());
    }

    // ---- flash notice

    void flashReplacesAndClosesItself() {
        QWidget operatorWindow;
        auto *edit = new QLineEdit(&operatorWindow);
        operatorWindow.show();
        operatorWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&operatorWindow));
        edit->setFocus();

        ShowFlashInfo(QString(), QStringLiteral("first"), 2);
        QVERIFY(FlashInfoVisible());
        QCOMPARE(FlashInfoTitle(), Msg("Info"));
        QWidget *first = FlashInfoWindow();
        QVERIFY(first->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        QVERIFY(first->windowFlags() & Qt::WindowStaysOnTopHint);

        ShowFlashInfo(QStringLiteral("Title"), QStringLiteral("second\rline"), 1);
        QCOMPARE(FlashInfoText(), QStringLiteral("second\nline"));
        QCOMPARE(FlashInfoTitle(), QStringLiteral("Title"));
        int visibleNotices = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("FlashInfoForm") && w->isVisible())
                ++visibleNotices;
        QCOMPARE(visibleNotices, 1);
        QCOMPARE(QApplication::activeWindow(), &operatorWindow);
        QCOMPARE(QApplication::focusWidget(), edit);

        QTRY_VERIFY_WITH_TIMEOUT(!FlashInfoVisible(), 10000);
        QCOMPARE(FlashInfoTitle(), QString());
    }

    void flashPlacement() {
        ShowFlashInfo(QString(), QStringLiteral("ok"), 5);
        QWidget *w = FlashInfoWindow();
        QCOMPARE(w->width(), 220);
        const QRect m = firstMonitor();
        QVERIFY(qAbs(w->geometry().center().x() - m.center().x()) <= 1);
        QVERIFY(qAbs(w->geometry().center().y() - (m.center().y() - 15)) <= 1);
        const QString wide(60, QLatin1Char('m'));
        ShowFlashInfo(QString(), wide, 5);
        auto *text = w->findChild<QLabel *>(QStringLiteral("LblText"));
        QVERIFY(qAbs(w->width() - (QFontMetrics(text->font()).horizontalAdvance(wide) + 30)) <= 2);
    }

    // ---- pop-up notice

    void popUpSlidesUpWaitsAndSlidesDown() {
        TPopUpForm popUp;
        const QRect screen(0, 0, 800, 600);
        popUp.setScreenGeometry(screen);
        popUp.ShowPopUp(pkFullControl, 3500);
        QCOMPARE(popUp.state(), TPopUpForm::Rising);
        QCOMPARE(popUp.text(), Msg("Full Control mode").toUpper());
        QCOMPARE(popUp.x(), 800 - 200 - 10);
        QCOMPARE(popUp.y(), 600);
        QCOMPARE(popUp.targetTop(), 600 - 60 - 30);

        int previous = popUp.y();
        for (int guard = 0; popUp.state() == TPopUpForm::Rising && guard < 1000; ++guard) {
            popUp.tick();
            const int step = previous - popUp.y();
            const int distance = previous - popUp.targetTop();
            QCOMPARE(step, qMin(distance, distance <= 9 ? 2 : 5));
            previous = popUp.y();
        }
        QCOMPARE(popUp.state(), TPopUpForm::Waiting);
        QCOMPARE(popUp.y(), popUp.targetTop());
        QVERIFY(popUp.isVisible());
        QVERIFY(popUp.WaitTimer.isActive());
        QCOMPARE(popUp.WaitTimer.interval(), 3500);
        QVERIFY(!popUp.SlideTimer.isActive());
        popUp.tick(); // waiting: the slide does nothing
        QCOMPARE(popUp.y(), popUp.targetTop());

        popUp.finishWait();
        QCOMPARE(popUp.state(), TPopUpForm::Falling);
        previous = popUp.y();
        for (int guard = 0; popUp.state() == TPopUpForm::Falling && guard < 1000; ++guard) {
            popUp.tick();
            const int step = popUp.y() - previous;
            const int distance = 600 - previous;
            QCOMPARE(step, qMin(distance, distance <= 9 ? 2 : 5));
            previous = popUp.y();
        }
        QCOMPARE(popUp.state(), TPopUpForm::Idle);
        QCOMPARE(popUp.y(), 600);
        QVERIFY(!popUp.isVisible());
    }

    void popUpRestartsFromWhereItIs() {
        TPopUpForm popUp;
        popUp.setScreenGeometry(QRect(0, 0, 800, 600));
        popUp.ShowPopUp(pkViewOnly, 1000);
        QCOMPARE(popUp.text(), Msg("View Only mode").toUpper());
        while (popUp.state() == TPopUpForm::Rising)
            popUp.tick();
        popUp.finishWait();
        popUp.tick();
        popUp.tick();
        const int y = popUp.y();
        QVERIFY(y > popUp.targetTop());
        popUp.ShowPopUp(pkSessionEnded, 3000);
        QCOMPARE(popUp.text(), Msg("Session ended by client"));
        QCOMPARE(popUp.state(), TPopUpForm::Rising);
        QCOMPARE(popUp.y(), y);
        while (popUp.state() == TPopUpForm::Rising)
            popUp.tick();
        QCOMPARE(popUp.state(), TPopUpForm::Waiting);
        QCOMPARE(popUp.WaitTimer.interval(), 3000);
    }

    void popUpNeverTakesTheFocusAndPlaysItsSound() {
        QWidget operatorWindow;
        operatorWindow.show();
        operatorWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&operatorWindow));
        ShowPopUp(pkSessionEnded, 3000);
        QCOMPARE(played, QList<int>{sndPopup});
        TPopUpForm *popUp = CurrentPopUp();
        QVERIFY(popUp);
        while (popUp->state() == TPopUpForm::Rising)
            popUp->tick();
        QVERIFY(popUp->isVisible());
        QVERIFY(popUp->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        QCOMPARE(QApplication::activeWindow(), &operatorWindow);
        // It goes away by itself once it has slid down.
        QPointer<TPopUpForm> watch = popUp;
        popUp->finishWait();
        while (watch && watch->state() == TPopUpForm::Falling)
            watch->tick();
        QTRY_VERIFY(!watch);
    }

    void popUpFollowsLanguageChange() {
        TPopUpForm popUp;
        popUp.setScreenGeometry(QRect(0, 0, 800, 600));
        popUp.ShowPopUp(pkFullControl, 1000);
        SelectLanguage(3);
        QCoreApplication::sendEvent(&popUp,
                                    new WindowMessages::MessageEvent(WindowMessages::UpdateForm));
        QCOMPARE(popUp.text(), CatalogText(3, "Full Control mode").toUpper());
    }

    // ---- bad-connection window

    void badConnectionOpensInTheCornerAndClosesOnClick() {
        QMainWindow main;
        main.setCentralWidget(new QWidget);
        main.statusBar()->showMessage(QStringLiteral("status"));
        main.resize(800, 600);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto *bad = new TShowBadConnForm(&main);
        QVERIFY(!bad->isVisible());

        bad->ShowBadConn();
        QVERIFY(bad->isVisible());
        QCOMPARE(played, QList<int>{sndPopup});
        QCOMPARE(bad->size(), QSize(201, 73));
        const QRect area = main.centralWidget()->geometry();
        QCOMPARE(bad->geometry().right(), area.right() - TShowBadConnForm::Margin);
        QCOMPARE(bad->geometry().bottom(), area.bottom() - TShowBadConnForm::Margin);
        QCOMPARE(bad->findChild<QLabel *>(QStringLiteral("LblBadConnection"))->text(),
                 Msg("Bad connection"));
        QCOMPARE(bad->findChild<QLabel *>(QStringLiteral("LblPleaseWait"))->text(),
                 Msg("Please wait a moment ..."));

        main.resize(900, 700);
        QTRY_COMPARE(bad->geometry().right(),
                     main.centralWidget()->geometry().right() - TShowBadConnForm::Margin);

        // A click on the text is a click on the window.
        QTest::mouseClick(bad->findChild<QLabel *>(QStringLiteral("LblPleaseWait")),
                          Qt::LeftButton);
        QVERIFY(!bad->isVisible());

        bad->ShowBadConn();
        QVERIFY(bad->isVisible());
        bad->CloseBadConn();
        QVERIFY(!bad->isVisible());
    }

    // ---- question window

    void askWarningAnswers() {
        whenModal([](QWidget *w) {
            QVERIFY(AskWarningVisible());
            QCOMPARE(w->findChild<QLabel *>(QStringLiteral("LblHead"))->text(), Msg("Warning"));
            click(w, "BttnYes");
        });
        QVERIFY(AskWarning(QStringLiteral("File already exists\rproceed ?")));
        QVERIFY(!AskWarningVisible());
        QCOMPARE(played, QList<int>{sndClick});

        whenModal([](QWidget *w) { click(w, "BttnNo"); });
        QVERIFY(!AskWarning(QStringLiteral("proceed ?")));
        whenModal([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
        QVERIFY(!AskWarning(QStringLiteral("proceed ?")));
        whenModal([](QWidget *) { CloseAskWarning(); });
        QVERIFY(!AskWarning(QStringLiteral("proceed ?")));
    }

    // In two languages: the first letter of each caption answers (alone or with Alt), Escape
    // and Enter answer no; painting finds every picture it asks for.
    void askWarningKeys() {
        struct Case {
            int language;
            Qt::Key yes, no;
        };
        for (const Case c : {Case{0, Qt::Key_Y, Qt::Key_N}, Case{3, Qt::Key_J, Qt::Key_N}}) {
            SelectLanguage(c.language);
            whenModal([](QWidget *w) {
                static QStringList logged;
                logged.clear();
                const QtMessageHandler previous = qInstallMessageHandler(
                    [](QtMsgType type, const QMessageLogContext &, const QString &text) {
                        if (type != QtDebugMsg && type != QtInfoMsg)
                            logged.append(text);
                    });
                w->grab();
                qInstallMessageHandler(previous);
                QVERIFY2(logged.isEmpty(), qPrintable(logged.join('\n')));
                QCOMPARE(w->findChild<QPushButton *>(QStringLiteral("BttnYes"))->text().remove('&'),
                         Msg("Yes"));
            });
            QVERIFY(!AskWarning(QStringLiteral("proceed ?")));
            // Each key closes the window itself (the helper would close it as "no" otherwise).
            const auto press = [](Qt::Key key) {
                whenModal([key](QWidget *w) {
                    QTest::keyClick(w, key);
                    QVERIFY(!w->isVisible());
                });
            };
            press(c.yes);
            QVERIFY(AskWarning(QStringLiteral("proceed ?")));
            whenModal([c](QWidget *w) {
                QTest::keyClick(w, c.yes, Qt::AltModifier);
                QTRY_VERIFY(!w->isVisible());
            });
            QVERIFY(AskWarning(QStringLiteral("proceed ?")));
            for (Qt::Key key : {c.no, Qt::Key_Escape, Qt::Key_Return}) {
                press(key);
                QVERIFY(!AskWarning(QStringLiteral("proceed ?")));
            }
        }
        // Captions that start alike get different letters.
        QCOMPARE(TAskWarningForm::KeysFor(QStringLiteral("Si"), QStringLiteral("Sin")).No,
                 QChar('i'));
    }

    void askWarningLayout() {
        TAskWarningForm form;
        form.Prepare(QStringLiteral("Sure ?"));
        QCOMPARE(form.width(), 230);
        auto *question = form.findChild<QLabel *>(QStringLiteral("LblQuestion"));
        QCOMPARE(question->y(), 65);
        auto *yes = form.findChild<QPushButton *>(QStringLiteral("BttnYes"));
        auto *no = form.findChild<QPushButton *>(QStringLiteral("BttnNo"));
        QCOMPARE(yes->x(), (230 - yes->width() - no->width()) / 10 * 3);
        QCOMPARE(form.width() - no->geometry().right() - 1, yes->x());
        form.Prepare(QStringLiteral("File already exists\rproceed ?"));
        QCOMPARE(question->y(), 57);
        QVERIFY(question->geometry().bottom() < yes->y());
    }

    // ---- tip window

    void tipReportsTheBox() {
        whenModal([](QWidget *w) {
            auto *box = w->findChild<QCheckBox *>(QStringLiteral("ChkNeverAsk"));
            QVERIFY(box->isVisible());
            QVERIFY(!box->isChecked());
            QCOMPARE(box->text(), Msg("Never ask me again"));
            QCOMPARE(w->focusWidget(), w->findChild<QPushButton *>(QStringLiteral("BttnClose")));
            QTest::mouseClick(box, Qt::LeftButton);
            click(w, "BttnClose");
        });
        QVERIFY(ShowTip(nullptr, QStringLiteral("TITLE"), QStringLiteral("text"), true));
        QCOMPARE(played, (QList<int>{sndClick, sndClick}));

        whenModal([](QWidget *w) {
            QVERIFY(!w->findChild<QCheckBox *>(QStringLiteral("ChkNeverAsk"))->isVisible());
            QCOMPARE(w->size(), QSize(400, 250));
            click(w, "BttnClose");
        });
        QVERIFY(!ShowTip(nullptr, QStringLiteral("TITLE"), QStringLiteral("text"), false));

        // The box starts unchecked every time.
        whenModal([](QWidget *w) { click(w, "BttnClose"); });
        QVERIFY(!ShowTip(nullptr, QStringLiteral("TITLE"), QStringLiteral("text"), true));
    }

    void tipTextKeepsParagraphs() {
        TTipsForm form;
        form.Prepare(QStringLiteral("T"), QStringLiteral("one\rtwo\r\rthree"), false);
        QCOMPARE(form.findChild<QPlainTextEdit *>()->toPlainText(),
                 QStringLiteral("one two\n\nthree"));
    }

    // ---- announcement window

    void announcementShowsTextAndLinks() {
        QWidget main;
        main.resize(900, 700);
        main.show();
        TShowInfoMessagesForm form(&main);
        form.ShowInfoMessage(true, QStringLiteral("News"),
                             QStringLiteral("See www.quorvia.example/new <now>"));
        QVERIFY(form.isVisible());
        QVERIFY(form.isProduct());
        QCOMPARE(form.size(), QSize(550, 260));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("LblTitle"))->text(),
                 QStringLiteral("News"));
        TURLMemo *memo = form.memo();
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->toPlainText(), QStringLiteral("See www.quorvia.example/new <now>"));
        QVERIFY(memo->toHtml().contains(QStringLiteral("href=\"http://www.quorvia.example/new\"")));
        auto *close = form.findChild<QPushButton *>(QStringLiteral("BttnClose"));
        QCOMPARE(close->text(), Msg("Close"));
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(played, QList<int>{sndClick});

        form.ShowInfoMessage(false, QStringLiteral("Maintenance"), QStringLiteral("x"));
        QVERIFY(!form.isProduct());
    }

    // ---- what the main window shows for the session

    void mainWindowShowsTheSessionNotices() {
        TQuorvAdminForm main;
        auto *bad = main.findChild<TShowBadConnForm *>();
        QVERIFY(bad);
        emit main.session()->Meter->badConnection(true);
        QTRY_VERIFY(!bad->isHidden());
        QCOMPARE(played, QList<int>{sndPopup});
        emit main.session()->Meter->badConnection(false);
        QTRY_VERIFY(bad->isHidden());

        played.clear();
        static_cast<SessionUi &>(main).hostEnded();
        QVERIFY(CurrentPopUp());
        QCOMPARE(CurrentPopUp()->kind(), int(pkSessionEnded));
        QCOMPARE(played, QList<int>{sndPopup});

        static_cast<SessionUi &>(main).showAnnouncement(false, QStringLiteral("T"),
                                                        QStringLiteral("text"));
        auto *info = main.findChild<TShowInfoMessagesForm *>();
        QVERIFY(info && info->isVisible());
        QCOMPARE(info->memo()->memoText(), QStringLiteral("text"));
        info->close();

        played.clear();
        static_cast<SessionUi &>(main).playSound(sndSilentAlarm);
        QCOMPARE(played, QList<int>{sndSilentAlarm});
    }

    void urlMemoOpensOnlyWebAddresses() {
        TURLMemo memo;
        QList<QUrl> opened;
        connect(&memo, &TURLMemo::linkOpened, this, [&](const QUrl &u) { opened << u; });
        // Only what the box turned into links is opened, whatever the anchor says.
        QMetaObject::invokeMethod(&memo, "anchorClicked",
                                  Q_ARG(QUrl, QUrl(QStringLiteral("file:///etc/passwd"))));
        QVERIFY(opened.isEmpty());
    }
};

QTEST_MAIN(TestNotifyWindows)
#include "tst_notify_windows.moc"
