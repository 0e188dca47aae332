// Shows the recorder's windows with sample data, to be looked at (xshot).
//   recorder_gallery player [raw|MP43|CVID|MSVC] [seek-ms] [lang]  the player paused on a
//                                                                  recording
//   recorder_gallery toolbar [lang]     the main toolbar while a recording runs
//   recorder_gallery fullscreen [lang]  the full-screen toolbar while a recording runs
#include "SyntheticDesktop.h"
#include "common/AdminVars.h"
#include "common/uLanguageMsg.h"
#include "gateway/GatewaySession.h"
#include "recorder/AviWriter_2.h"
#include "recorder/RecorderControls.h"
#include "recorder/SessionRecorder.h"
#include "recorder/uAviPlayer.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenPipeline.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

namespace {
QString makeMovie(const QString &folder, const QString &codec) {
    const QString path =
        folder +
        QStringLiteral("/08-03-15_14u05_DEMOKEY%1.avi").arg(codec.isEmpty() ? "" : "_" + codec);
    TAviWriter_2 w;
    w.filename = path;
    w.setPixelFormat(TAviWriter_2::pf8bit);
    w.FrameTime = 200;
    w.Width = 1024;
    w.Height = 768;
    w.SelectCodec(codec);
    w.OnTheFly = true;
    w.StartMovie();
    localgw::SyntheticDesktop desktop(QSize(1024, 768));
    for (int n = 0; n < 25; ++n) {
        desktop.setPointer(QPoint(100 + n * 30, 150 + n * 15));
        desktop.setClock(QTime(14, 5).addSecs(n * 60));
        w.WriteFrame(desktop.render());
    }
    w.EndFrames();
    w.FinishMovie();
    return path;
}
} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("player");
    QTemporaryDir dir;

    if (mode == QLatin1String("player")) {
        const QString codec =
            argc > 2 && qstrcmp(argv[2], "raw") != 0 ? QString::fromLatin1(argv[2]) : QString();
        const int seek = argc > 3 ? QString::fromLatin1(argv[3]).toInt() : 2600;
        if (argc > 4)
            SelectLanguage(quint8(QString::fromLatin1(argv[4]).toInt()));
        makeMovie(dir.path(), codec);
        makeMovie(dir.path(), codec == QLatin1String("MP43") ? QString() : QStringLiteral("MP43"));
        auto *player = new TAviPlayerForm;
        player->Folder = dir.path();
        player->show();
        player->FilesCombo->setCurrentIndex(player->FilesCombo->findText(
            QStringLiteral("_DEMOKEY") + (codec.isEmpty() ? QString() : "_" + codec) + ".avi",
            Qt::MatchEndsWith));
        QTimer::singleShot(300, player, [player] { player->BttnPlayClick(); });
        QTimer::singleShot(1200, player, [player, seek] {
            player->BttnPauseClick();
            player->TrackBar->setValue(seek);
            player->LblTime->setText(QStringLiteral("00:00:0%1").arg(seek / 1000));
        });
        return app.exec();
    }

    if (argc > 2)
        SelectLanguage(quint8(QString::fromLatin1(argv[2]).toInt()));
    GatewaySession session;
    auto *pipeline = new ScreenPipeline(&session);
    QMainWindow window;
    window.resize(1100, 700);
    auto *start = new QLabel(QStringLiteral("Remote screen"), &window);
    start->setAlignment(Qt::AlignCenter);
    auto *area = new ScreenArea(&session, pipeline, start, &window);
    window.setCentralWidget(area);
    QToolBar *bar = area->createToolBar(&window);
    window.addToolBar(bar);
    QMenu *view = window.menuBar()->addMenu(Msg("View"));
    area->addViewMenuItems(view);
    auto *controls = new RecorderControls(&session, pipeline, area, &window, view, bar);
    controls->recorder()->RecordingFolder = dir.path();
    adminVars().HostLoggedOn = true;
    window.show();
    controls->BttnStartSessionRecording->trigger();
    if (mode == QLatin1String("fullscreen")) {
        QTimer::singleShot(200, &window, [area] {
            area->WMFullScreen();
            area->header()->Nailed = true;
            area->header()->Start();
        });
    }
    QTimer::singleShot(1600, &window, [view] { view->popup(QPoint(40, 30)); });
    return app.exec();
}
