// Interactive speed of the console, measured on the console alone: the local gateway with its
// simulated host runs as its own process, and the console's main window runs here, on the
// display Qt is given (a virtual one is started when there is none), driven as an operator
// drives it.
//
//   bench_interactive [--runs 3] [--seconds 8] [--clicks 200] [--keys 200] [--scaled]
//                     [--gateway PATH] [--no-xvfb] [--shots DIR] [--verbose]
//
// --shots: the first run also saves screenshots of the display while the remote pointer sweeps
// (window.png and strip-N.png, 150 ms apart). --verbose: every sample's stamps on stderr.
//
// Last, the remote pointer sweeps at 60 moves a second, as a dragged window would: the table
// gives how many different positions a second the console painted and how long after its
// move each was painted.
//
// Each run is a fresh process with a fresh gateway; the tables give every run and the medians
// of the runs. A run measures, for a 1920x1080 remote screen:
//   - updates per second at depths 8 and 15 while the remote pointer moves a few pixels for
//     every update, and the CPU time per update of the console (all its threads) and of the
//     gateway process;
//   - click-to-picture: from the click to the end of the paint that shows the changed picture,
//     median and 95th percentile, and the share of each stage. When the console forwards the
//     clicks of the X display, they are X button clicks made with xdotool over the host's
//     "Press me" button and the delay starts when the press reaches the console; otherwise the
//     click command ("MsCl") is queued through the session (command-to-picture);
//   - key-to-picture for typed characters, the same way (xdotool keys into the window, or
//     "KbdP" queued through the session).
// Times are CPU times where they say so; delays are wall-clock and depend on the load of the
// machine, which the tables state.
#include "common/AdminVars.h"
#include "common/AppFolders.h"
#include "common/WindowMessages.h"
#include "gateway/GatewaySession.h"
#include "gateway/HttpChannel.h"
#include "main/QuorvAdmin.h"
#include "screen/ScreenArea.h"
#include "screen/ScreenModes.h"
#include "screen/ScreenPipeline.h"
#include "screen/ScreenTimeline.h"
#include "screen/ScreenView.h"
#include "settings/uIniFiles.h"
#include "ui/QVMessage.h"
#include "ui/uAskWarning.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace WindowMessages;

namespace {
const QSize kRemote(1920, 1080);
bool Verbose = false; // each sample's stamps on stderr

double ms(qint64 ns) {
    return double(ns) / 1e6;
}

double processCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// CPU seconds of another process, from /proc.
double otherProcessCpuSeconds(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray stat = f.readAll();
    // The fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 15)
        return 0;
    return (fields[11].toDouble() + fields[12].toDouble()) / double(sysconf(_SC_CLK_TCK));
}

double loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().split(' ').value(0).toDouble();
}

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5));
    return v[i];
}

double median(std::vector<double> v) {
    return percentile(std::move(v), 0.5);
}

// Runs the event loop until `done` or the time is up. The loop sleeps between events; the
// condition is looked at every millisecond, which is all the checking costs.
bool waitFor(const std::function<bool()> &done, int timeoutMs) {
    if (done())
        return true;
    QEventLoop loop;
    QElapsedTimer t;
    t.start();
    bool met = false;
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        met = done();
        if (met || t.elapsed() > timeoutMs)
            loop.quit();
    });
    check.start(1);
    loop.exec();
    return met;
}

void pause(int msToWait) {
    QEventLoop loop;
    QTimer::singleShot(msToWait, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// ----------------------------------------------------------------------------------------------
// One run: a gateway process, the console's main window, the measurements.

struct Gateway {
    QProcess process;
    quint16 port = 0;
    QString caPem;

    bool start(const QString &exe, const QString &dir, const QString &consoleIni) {
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(exe, {QStringLiteral("test"), QStringLiteral("--dir"), dir,
                            QStringLiteral("--host-delay-ms"), QStringLiteral("100"),
                            QStringLiteral("--frozen-clock"), QStringLiteral("--screen"),
                            QStringLiteral("1920x1080"), QStringLiteral("--poll-hold-ms"),
                            QStringLiteral("20000"), QStringLiteral("--console-ini"), consoleIni});
        QByteArray out;
        const bool ready = waitFor(
            [&] {
                out += process.readAll();
                return out.contains("READY port=");
            },
            20000);
        if (!ready) {
            std::fprintf(stderr, "gateway did not start: %s\n", out.constData());
            return false;
        }
        const auto m =
            QRegularExpression(QStringLiteral("READY port=(\\d+)")).match(QString::fromLatin1(out));
        port = quint16(m.captured(1).toUInt());
        caPem = QDir(dir).filePath(QStringLiteral("ca.pem"));
        return port != 0;
    }

    // An admin request's answer (empty on failure).
    QByteArray admin(const QString &operation) {
        QNetworkAccessManager nam;
        QNetworkRequest request(
            QUrl(QStringLiteral("https://127.0.0.1:%1/_admin/%2").arg(port).arg(operation)));
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(caPem);
        request.setSslConfiguration(ssl);
        QNetworkReply *reply = nam.get(request);
        waitFor([&] { return reply->isFinished(); }, 10000);
        const QByteArray body = reply->readAll();
        reply->deleteLater();
        return body;
    }

    double cpuSeconds() const { return otherProcessCpuSeconds(process.processId()); }
};

// Where each picture was in the console, and when.
struct Sample {
    qint64 start = 0;      // the click or key (X event or queued command)
    qint64 cmdStarted = 0; // its command request went out
    qint64 cmdDone = 0;    // its reply came back
    qint64 hostFrom = 0;   // the host changed its desktop (stamped in the gateway)
    qint64 hostSent = 0;   // and left the update with its notice
    double hostCpuUs = 0;  // what that cost the host
    qint64 pollAnswer = 0; // the poll answered with the update notice
    qint64 fetchStart = 0; // the picture request went out
    qint64 fetchDone = 0;  // the picture is in
    qint64 decodeDone = 0; // decoded
    qint64 applied = 0;    // applied to the shown picture
    qint64 painted = 0;    // the view painted it
    qint64 onScreen = 0;   // the paint has been handed to the window system
};

class Run {
public:
    Run(TQuorvAdminForm &form, Gateway &gateway) : Form(form), Gw(gateway) {
        Session = form.session();
        Pipeline = form.pipeline();
        View = form.screenArea()->view();
        View->viewport()->installEventFilter(&PaintWatch);
        PaintWatch.onPaint = [this] {
            // The paint is over when the events queued behind it run: the backing store has
            // been flushed to the window system by then.
            QMetaObject::invokeMethod(
                qApp,
                [this] {
                    LastOnScreen = ScreenTimeline::now();
                    ++Paints;
                    if (OnPainted)
                        OnPainted();
                },
                Qt::QueuedConnection);
        };
        qApp->installEventFilter(&InputWatch);
        QObject::connect(Session, &GatewaySession::commandRequestStarted, qApp, [this] {
            if (Pending && !Pending->cmdStarted)
                Pending->cmdStarted = ScreenTimeline::now();
        });
        QObject::connect(Session, &GatewaySession::commandRequestFinished, qApp, [this] {
            if (Pending && Pending->cmdStarted && !Pending->cmdDone)
                Pending->cmdDone = ScreenTimeline::now();
        });
        QObject::connect(Session, &GatewaySession::commandQueued, qApp, [this] {
            if (!Session->CommandQueue.isEmpty())
                LastQueued = Session->CommandQueue.last();
        });
        QObject::connect(Session->QClient, &HttpChannel::requestDone, qApp,
                         [this](int, int, const QByteArray &body) {
                             if (!body.startsWith("UScr"))
                                 return;
                             if (Pending && !Pending->pollAnswer)
                                 Pending->pollAnswer = ScreenTimeline::now();
                             if (OnUpdateNotice)
                                 OnUpdateNotice();
                         });
    }

    // Nothing in flight: the next picture can only come from what the benchmark does next.
    bool quiet() const {
        return Pipeline->ScreenFetch == ScreenPipeline::None && !Pipeline->workerBusy() &&
               Pipeline->PendingScreenNotices.isEmpty() && !Session->ScreenClient->busy() &&
               Session->CommandQueue.isEmpty() && !Session->ExecClient->busy() &&
               Session->ExecState == GatewaySession::ExecIdle;
    }

    bool setDepth(int depth) {
        const int index = depth == 8 ? 1 : 2;
        bool shown = false;
        auto c = QObject::connect(Pipeline, &ScreenPipeline::fullPictureShown, qApp,
                                  [&] { shown = true; });
        Form.screenArea()->modes()->ColorBoxSelect(index);
        const bool ok = waitFor([&] { return shown; }, 20000);
        QObject::disconnect(c);
        pause(300);
        return ok && Pipeline->colorDepth() == depth;
    }

    struct Rate {
        double updatesPerSecond = 0;
        double consoleCpuMsPerUpdate = 0;
        double consoleMainCpuMsPerUpdate = 0;
        double gatewayCpuMsPerUpdate = 0;
        double paintsPerSecond = 0;
        double load = 0;
    };

    // The remote pointer moves a few pixels for every update: each update notice queues the
    // next move, so the host has a change waiting whenever the console asks for the next one.
    Rate updateRate(int depth, int seconds) {
        Rate r;
        if (!setDepth(depth)) {
            std::fprintf(stderr, "depth %d: no full picture\n", depth);
            return r;
        }
        int step = 0;
        auto move = [&] {
            step = (step + 1) % 400;
            const int x = 600 + (step < 200 ? step : 400 - step) * 3;
            Session->SendCmd("MoMo?" + QByteArray::number(x) + "-" + QByteArray::number(700));
        };
        int updates = 0;
        auto counter =
            QObject::connect(Pipeline, &ScreenPipeline::pictureChanged, qApp, [&] { ++updates; });
        OnUpdateNotice = move;
        move();
        pause(500); // into the steady cycle
        const int updatesBefore = updates;
        const int paintsBefore = Paints;
        const double cpu = processCpuSeconds();
        const double mainCpu = threadCpuSeconds();
        const double gwCpu = Gw.cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        pause(seconds * 1000);
        const double elapsed = double(wall.nsecsElapsed()) / 1e9;
        const int n = updates - updatesBefore;
        r.updatesPerSecond = n / elapsed;
        r.paintsPerSecond = (Paints - paintsBefore) / elapsed;
        if (n > 0) {
            r.consoleCpuMsPerUpdate = (processCpuSeconds() - cpu) * 1000 / n;
            r.consoleMainCpuMsPerUpdate = (threadCpuSeconds() - mainCpu) * 1000 / n;
            r.gatewayCpuMsPerUpdate = (Gw.cpuSeconds() - gwCpu) * 1000 / n;
        }
        r.load = loadAverage();
        OnUpdateNotice = nullptr;
        QObject::disconnect(counter);
        waitFor([&] { return quiet(); }, 5000);
        pause(200);
        return r;
    }

    // Whether an X click over the picture (or a key typed into the window) makes the console
    // send it to the host.
    bool consoleForwards(bool keys) {
        if (qApp->platformName() != QLatin1String("xcb") ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            return false;
        waitFor([&] { return quiet(); }, 5000);
        LastQueued.clear();
        if (keys) {
            // No window manager gives the focus on the virtual display.
            xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                     QString::number(Form.winId())});
            pause(300);
            xdotool({QStringLiteral("key"), QStringLiteral("z")});
        } else {
            // Not where the first measured click goes, which must change the picture.
            const QPoint probe = screenPoint(remoteClickPoint(1));
            xdotool({QStringLiteral("mousemove"), QString::number(probe.x()),
                     QString::number(probe.y())});
            pause(400);
            xdotool({QStringLiteral("click"), QStringLiteral("1")});
        }
        const char *command = keys ? "KbdP" : "MsCl";
        waitFor([&] { return LastQueued.startsWith(command); }, 1500);
        const bool forwards = LastQueued.startsWith(command);
        waitFor([&] { return quiet(); }, 5000);
        pause(300);
        return forwards;
    }

    // Clicks (on the remote "Press me" button, which counts them; the host also rings where it
    // is clicked) or typed characters, one at a time, each waiting for its picture.
    std::vector<Sample> latency(bool keys, int count, bool viaX) {
        std::vector<Sample> out;
        QRandomGenerator gen(keys ? 11 : 7);
        for (int i = 0; i < count; ++i) {
            if (!waitFor([&] { return quiet(); }, 10000)) {
                std::fprintf(stderr, "the console did not come to rest\n");
                break;
            }
            const QPoint remote = remoteClickPoint(i);
            if (viaX && !keys) {
                xdotool({QStringLiteral("mousemove"), QString::number(screenPoint(remote).x()),
                         QString::number(screenPoint(remote).y())});
                // The pointer's move goes out at the next mouse timer tick; it must not be
                // taken for the click's picture.
                pause(300);
                waitFor([&] { return quiet(); }, 5000);
            }
            pause(10 + int(gen.bounded(30))); // not in step with anything
            Sample s;
            Pending = &s;
            const int paints = Paints;
            InputWatch.firstPress = 0;
            ScreenTimeline::clear();
            if (viaX && keys) {
                QProcess::startDetached(QStringLiteral("xdotool"),
                                        {QStringLiteral("key"), QString(QChar(u'a' + i % 26))});
            } else if (viaX) {
                QProcess::startDetached(QStringLiteral("xdotool"),
                                        {QStringLiteral("click"), QStringLiteral("1")});
            } else {
                s.start = ScreenTimeline::now();
                if (keys) {
                    const char c = char('a' + i % 26);
                    Session->SendCmd("KbdP?#" + QByteArray::number(int(c) - 32) + "-" +
                                     QByteArray::number(int(c)) + "-0");
                } else {
                    Session->SendCmd("MsCl?1-" + QByteArray::number(remote.x()) + "-" +
                                     QByteArray::number(remote.y()) + "-1-0");
                }
            }
            const bool done = waitFor(
                [&] {
                    return s.pollAnswer && ScreenTimeline::stamp(ScreenTimeline::Applied) &&
                           Paints > paints &&
                           LastOnScreen > ScreenTimeline::stamp(ScreenTimeline::Applied);
                },
                10000);
            Pending = nullptr;
            if (!done) {
                std::fprintf(stderr,
                             "no picture for %s %d (last command %s, poll %lld, paints %d)\n",
                             keys ? "key" : "click", i, LastQueued.constData(),
                             (long long)s.pollAnswer, Paints - paints);
                continue;
            }
            if (viaX)
                s.start = InputWatch.firstPress;
            s.fetchStart = ScreenTimeline::stamp(ScreenTimeline::FetchStarted);
            s.fetchDone = ScreenTimeline::stamp(ScreenTimeline::FetchDone);
            s.decodeDone = ScreenTimeline::stamp(ScreenTimeline::DecodeDone);
            s.applied = ScreenTimeline::stamp(ScreenTimeline::Applied);
            s.painted = ScreenTimeline::stamp(ScreenTimeline::Painted);
            s.onScreen = LastOnScreen;
            if (s.start > 0)
                out.push_back(s);
            if (Verbose && s.start > 0)
                std::fprintf(stderr,
                             "%s %3d: cmd %.2f..%.2f poll %.2f fetch %.2f..%.2f decoded %.2f "
                             "applied %.2f paint %.2f..%.2f on screen %.2f\n",
                             keys ? "key" : "click", i, ms(s.cmdStarted - s.start),
                             ms(s.cmdDone - s.start), ms(s.pollAnswer - s.start),
                             ms(s.fetchStart - s.start), ms(s.fetchDone - s.start),
                             ms(s.decodeDone - s.start), ms(s.applied - s.start),
                             ms(PaintWatch.paintStart - s.start), ms(s.painted - s.start),
                             ms(s.onScreen - s.start));
        }
        // The host's own part of each delay, from the gateway, which stamps its pictures on the
        // same monotonic clock: the picture whose change came after the click or key and whose
        // notice left before the console had it.
        const QJsonArray costs = hostCosts();
        for (Sample &sample : out) {
            for (const QJsonValue &v : costs) {
                const QJsonObject c = v.toObject();
                const qint64 from = qint64(c.value(QStringLiteral("changedAtNs")).toDouble());
                const qint64 sent = qint64(c.value(QStringLiteral("sentAtNs")).toDouble());
                if (from >= sample.start && sent <= sample.pollAnswer) {
                    sample.hostFrom = from;
                    sample.hostSent = sent;
                    sample.hostCpuUs = c.value(QStringLiteral("cpuUs")).toDouble();
                }
            }
        }
        return out;
    }

    struct Sweep {
        double movesPerSecond = 0;    // pointer moves sent
        double picturesPerSecond = 0; // different pointer positions painted
        double lagMs = 0;             // from sending a move until it was painted: median
        double lagP95Ms = 0;
    };

    // The remote pointer sweeps at 60 moves a second, as a dragged window would. Measured on
    // what the console paints: how many different pointer positions a second, and how long
    // after its move was sent each one was painted. With `shotsDir`, screenshots of the display
    // follow, 150 ms apart.
    Sweep sweep(int seconds, const QString &shotsDir) {
        Sweep r;
        int step = 0;
        QHash<int, qint64> sentAt; // position -> when it was last sent
        auto xOf = [](int s) { return 600 + (s * 8) % 600; };
        QTimer mover;
        mover.setTimerType(Qt::PreciseTimer);
        QObject::connect(&mover, &QTimer::timeout, qApp, [&] {
            ++step;
            sentAt[xOf(step)] = ScreenTimeline::now();
            Session->SendCmd("MoMo?" + QByteArray::number(xOf(step)) + "-700");
        });
        int shownX = -1;
        int positions = 0;
        std::vector<double> lags;
        OnPainted = [&] {
            // The pointer's left edge is its first black pixel a few rows below its tip.
            const QImage &picture = Pipeline->picture();
            if (picture.width() < 1300 || picture.height() < 720)
                return;
            const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(705));
            int x = -1;
            for (int i = 590; i < 1215 && x < 0; ++i)
                if ((row[i] & 0xffffff) == 0)
                    x = i;
            if (x < 0 || x == shownX || !sentAt.contains(x))
                return;
            shownX = x;
            ++positions;
            lags.push_back(ms(LastOnScreen - sentAt.value(x)));
        };
        mover.start(16);
        pause(300);
        const int stepsBefore = step;
        positions = 0;
        lags.clear();
        QElapsedTimer wall;
        wall.start();
        pause(seconds * 1000);
        const double elapsed = double(wall.nsecsElapsed()) / 1e9;
        r.movesPerSecond = (step - stepsBefore) / elapsed;
        r.picturesPerSecond = positions / elapsed;
        r.lagMs = median(lags);
        r.lagP95Ms = percentile(lags, 0.95);
        OnPainted = nullptr;

        if (!shotsDir.isEmpty()) {
            QDir().mkpath(shotsDir);
            const QPoint from = screenPoint({560, 660});
            const QPoint to = screenPoint({1260, 740});
            const QString crop = QStringLiteral("%1x%2+%3+%4")
                                     .arg(to.x() - from.x())
                                     .arg(to.y() - from.y())
                                     .arg(from.x())
                                     .arg(from.y());
            QProcess::execute(QStringLiteral("import"),
                              {QStringLiteral("-window"), QStringLiteral("root"),
                               QDir(shotsDir).filePath(QStringLiteral("window.png"))});
            for (int i = 0; i < 6; ++i) {
                QProcess::startDetached(
                    QStringLiteral("import"),
                    {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
                     crop, QDir(shotsDir).filePath(QStringLiteral("strip-%1.png").arg(i))});
                pause(150);
            }
        }
        mover.stop();
        waitFor([&] { return quiet(); }, 5000);
        pause(500);
        return r;
    }

    QJsonArray hostCosts() {
        return QJsonDocument::fromJson(Gw.admin(QStringLiteral("host/costs")))
            .object()
            .value(QStringLiteral("pictures"))
            .toArray();
    }

private:
    struct PaintWatcher : QObject {
        std::function<void()> onPaint;
        qint64 paintStart = 0;
        bool eventFilter(QObject *, QEvent *e) override {
            if (e->type() == QEvent::Paint && onPaint) {
                paintStart = ScreenTimeline::now();
                onPaint();
            }
            return false;
        }
    };
    // When the X button press or key press reached the console.
    struct InputWatcher : QObject {
        qint64 firstPress = 0;
        bool eventFilter(QObject *, QEvent *e) override {
            if ((e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress) &&
                !firstPress)
                firstPress = ScreenTimeline::now();
            return false;
        }
    };

    // On the host's "Press me" button, left and right in turn: its controls window stands at
    // the top right of the remote screen.
    QPoint remoteClickPoint(int i) const {
        return QPoint(kRemote.width() - 288 + (i % 2 == 0 ? 20 : 70), 160 + 24 + 10 + 14);
    }

    QPoint screenPoint(QPoint remote) const {
        const QRect image = View->imageRect();
        const QPoint local(image.left() + int((remote.x() + 0.5) * View->ScaleX()),
                           image.top() + int((remote.y() + 0.5) * View->ScaleY()));
        return View->viewport()->mapToGlobal(local);
    }

    static void xdotool(const QStringList &args) {
        QProcess::execute(QStringLiteral("xdotool"), args);
    }

    TQuorvAdminForm &Form;
    Gateway &Gw;
    GatewaySession *Session = nullptr;
    ScreenPipeline *Pipeline = nullptr;
    ScreenView *View = nullptr;
    PaintWatcher PaintWatch;
    InputWatcher InputWatch;
    Sample *Pending = nullptr;
    std::function<void()> OnUpdateNotice;
    std::function<void()> OnPainted;
    QByteArray LastQueued;
    int Paints = 0;
    qint64 LastOnScreen = 0;
};

QJsonObject rateJson(const Run::Rate &r) {
    return QJsonObject{{"ups", r.updatesPerSecond},
                       {"cpu", r.consoleCpuMsPerUpdate},
                       {"mainCpu", r.consoleMainCpuMsPerUpdate},
                       {"gwCpu", r.gatewayCpuMsPerUpdate},
                       {"pps", r.paintsPerSecond},
                       {"load", r.load}};
}

// Per stage, in ms: what each sample spent there. The stages follow one another, so they add
// up to the total.
struct Stages {
    std::vector<double> total, command, host, poll, fetch, decode, apply, paint, floor, own,
        hostCpu;
};

Stages stagesOf(const std::vector<Sample> &samples) {
    Stages st;
    for (const Sample &s : samples) {
        // Without the gateway's stamps the host's part stays in the command request.
        const bool stamped = s.hostFrom > 0;
        const qint64 hostFrom = stamped ? s.hostFrom : s.pollAnswer;
        const qint64 hostSent = stamped ? s.hostSent : s.pollAnswer;
        st.total.push_back(ms(s.onScreen - s.start));
        st.command.push_back(ms(hostFrom - s.start));
        st.host.push_back(ms(hostSent - hostFrom));
        st.poll.push_back(ms(s.pollAnswer - hostSent));
        st.fetch.push_back(ms(s.fetchDone - s.pollAnswer));
        st.decode.push_back(ms(s.decodeDone - s.fetchDone));
        st.apply.push_back(ms(s.applied - s.decodeDone));
        st.paint.push_back(ms(s.onScreen - s.applied));
        // What the exchanges the protocol requires took in this session, without anything the
        // console does around them: from the command request leaving until the host's notice
        // is in (the command's way, the host, the held poll's answer), and the picture's
        // round trip.
        const double floor = ms(s.pollAnswer - s.cmdStarted) + ms(s.fetchDone - s.fetchStart);
        st.floor.push_back(floor);
        st.own.push_back(ms(s.onScreen - s.start) - floor);
        if (stamped)
            st.hostCpu.push_back(s.hostCpuUs / 1000.0);
    }
    return st;
}

double mean(const std::vector<double> &v) {
    double sum = 0;
    for (double x : v)
        sum += x;
    return v.empty() ? 0 : sum / double(v.size());
}

QJsonObject latencyJson(const std::vector<Sample> &samples, bool viaX) {
    const Stages st = stagesOf(samples);
    QJsonObject o{{"n", int(samples.size())},
                  {"viaX", viaX},
                  {"median", median(st.total)},
                  {"p95", percentile(st.total, 0.95)},
                  {"mean", mean(st.total)},
                  {"floor", median(st.floor)},
                  {"floorP95", percentile(st.floor, 0.95)},
                  {"own", median(st.own)},
                  {"hostCpu", median(st.hostCpu)},
                  {"load", loadAverage()}};
    const std::pair<const char *, const std::vector<double> *> stages[] = {
        {"command", &st.command}, {"host", &st.host},   {"poll", &st.poll},  {"fetch", &st.fetch},
        {"decode", &st.decode},   {"apply", &st.apply}, {"paint", &st.paint}};
    for (const auto &[name, values] : stages) {
        o.insert(QString::fromLatin1(name), median(*values));
        o.insert(QString::fromLatin1(name) + QStringLiteral("Mean"), mean(*values));
    }
    return o;
}

int child(const QStringList &args) {
    const int seconds = int(args.value(args.indexOf(QStringLiteral("--seconds")) + 1).toInt());
    const int clicks = int(args.value(args.indexOf(QStringLiteral("--clicks")) + 1).toInt());
    const int keys = int(args.value(args.indexOf(QStringLiteral("--keys")) + 1).toInt());
    const bool scaled = args.contains(QStringLiteral("--scaled"));
    const QString gatewayExe = args.value(args.indexOf(QStringLiteral("--gateway")) + 1);
    Verbose = args.contains(QStringLiteral("--verbose"));
    const qsizetype shotsAt = args.indexOf(QStringLiteral("--shots"));
    const QString shotsDir = shotsAt >= 0 ? args.value(shotsAt + 1) : QString();

    QTemporaryDir gwDir;
    // Where the main window will read its settings, as it computes it.
    const QString settingsFile =
        ComputeAppFolders(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName())
            .SettingsFile;
    QDir().mkpath(QFileInfo(settingsFile).absolutePath());
    Gateway gw;
    if (!gw.start(gatewayExe, gwDir.path(), settingsFile))
        return 1;

    // No person answers: message windows and questions are answered for the operator.
    SetMessageWindowHook([](int, const QString &text, int) {
        std::fprintf(stderr, "message window: %s\n", qPrintable(text));
        return int(mrOK);
    });
    SetAskWarningHook([](const QString &) { return true; });

    TQuorvAdminForm form;
    settings().Scaling = scaled ? 1 : 0;
    form.screenArea()->SetScaling();
    // Unscaled, the window is large enough for the whole remote screen.
    form.setGeometry(scaled ? QRect(0, 0, 1280, 900) : QRect(0, 0, 2300, 1400));
    form.show();
    PostMessage(form.session(), WanConnect);
    if (!waitFor([&] { return form.pipeline()->FirstPictureShown; }, 30000)) {
        std::fprintf(stderr, "no remote picture\n");
        return 1;
    }
    pause(500);
    ScreenTimeline::setEnabled(true);

    Run run(form, gw);
    const Run::Rate rate8 = run.updateRate(8, seconds);
    const Run::Rate rate15 = run.updateRate(15, seconds);
    const bool clicksViaX = run.consoleForwards(false);
    const std::vector<Sample> clickSamples = run.latency(false, clicks, clicksViaX);
    const bool keysViaX = run.consoleForwards(true);
    const std::vector<Sample> keySamples = run.latency(true, keys, keysViaX);
    const Run::Sweep sweep = run.sweep(3, shotsDir);
    QJsonObject hostCost;
    {
        std::vector<double> cpu;
        for (const QJsonValue &v : run.hostCosts()) {
            const QJsonObject o = v.toObject();
            if (!o.value(QStringLiteral("full")).toBool())
                cpu.push_back(o.value(QStringLiteral("cpuUs")).toDouble() / 1000.0);
        }
        hostCost =
            QJsonObject{{"updateCpuMedian", median(cpu)}, {"updateCpuP95", percentile(cpu, 0.95)}};
    }
    const QJsonObject result{{"rate8", rateJson(rate8)},
                             {"rate15", rateJson(rate15)},
                             {"click", latencyJson(clickSamples, clicksViaX)},
                             {"key", latencyJson(keySamples, keysViaX)},
                             {"host", hostCost},
                             {"sweep", QJsonObject{{"moves", sweep.movesPerSecond},
                                                   {"pictures", sweep.picturesPerSecond},
                                                   {"lag", sweep.lagMs},
                                                   {"lagP95", sweep.lagP95Ms},
                                                   {"load", loadAverage()}}},
                             {"platform", qApp->platformName()}};
    std::printf("RESULT %s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
    gw.process.kill();
    gw.process.waitForFinished();
    return 0;
}

// ----------------------------------------------------------------------------------------------
// The driver: runs the children, prints the tables.

double med(const QList<QJsonObject> &runs, const QString &group, const QString &field) {
    std::vector<double> v;
    for (const QJsonObject &r : runs)
        v.push_back(r.value(group).toObject().value(field).toDouble());
    return median(v);
}

void printTables(const QList<QJsonObject> &runs, bool scaled) {
    const int n = int(runs.size());
    std::printf("\nConsole speed, remote screen 1920x1080, view %s, gateway in its own process, "
                "%d run(s); platform %s\n",
                scaled ? "scaled (proportional)" : "unscaled", n,
                qPrintable(runs.value(0).value(QStringLiteral("platform")).toString()));

    std::printf("\n| updates, small change each | run | updates/s | console CPU ms/update "
                "(main thread) | gateway CPU ms/update | load |\n|---|---|---|---|---|---|\n");
    for (const char *group : {"rate8", "rate15"}) {
        const QString g = QString::fromLatin1(group);
        const QString label =
            g == QLatin1String("rate8") ? QStringLiteral("depth 8") : QStringLiteral("depth 15");
        for (int i = 0; i < n; ++i) {
            const QJsonObject r = runs[i].value(g).toObject();
            std::printf("| %s | %d | %.1f | %.3f (%.3f) | %.3f | %.1f |\n", qPrintable(label),
                        i + 1, r.value(QStringLiteral("ups")).toDouble(),
                        r.value(QStringLiteral("cpu")).toDouble(),
                        r.value(QStringLiteral("mainCpu")).toDouble(),
                        r.value(QStringLiteral("gwCpu")).toDouble(),
                        r.value(QStringLiteral("load")).toDouble());
        }
        std::printf("| **%s** | median | **%.1f** | **%.3f** (%.3f) | %.3f | |\n",
                    qPrintable(label), med(runs, g, QStringLiteral("ups")),
                    med(runs, g, QStringLiteral("cpu")), med(runs, g, QStringLiteral("mainCpu")),
                    med(runs, g, QStringLiteral("gwCpu")));
    }

    static const char *stages[] = {"command", "host", "poll", "fetch", "decode", "apply", "paint"};
    std::printf("\n| delay (ms) | run | n | median | p95 | command request | host | poll answer "
                "| picture fetch | decode | apply | paint | protocol floor: median (p95) | "
                "console's own | load |\n|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
                "---|\n");
    for (const char *group : {"click", "key"}) {
        const QString g = QString::fromLatin1(group);
        const bool viaX = runs.value(0).value(g).toObject().value(QStringLiteral("viaX")).toBool();
        const QString label = g == QLatin1String("click")
                                  ? (viaX ? QStringLiteral("click-to-picture (X button press)")
                                          : QStringLiteral("click command-to-picture"))
                                  : (viaX ? QStringLiteral("key-to-picture (X key press)")
                                          : QStringLiteral("key command-to-picture"));
        auto row = [&](const QString &run, const std::function<double(const QString &)> &f,
                       int count) {
            std::printf("| %s | %s | %d | %.2f | %.2f |", qPrintable(label), qPrintable(run), count,
                        f(QStringLiteral("median")), f(QStringLiteral("p95")));
            double sum = 0;
            for (const char *s : stages)
                sum += f(QString::fromLatin1(s) + QStringLiteral("Mean"));
            for (const char *s : stages) {
                const QString name = QString::fromLatin1(s);
                const double share = f(name + QStringLiteral("Mean"));
                std::printf(" %.2f (%.0f %%) |", f(name), sum > 0 ? 100 * share / sum : 0.0);
            }
            std::printf(" %.2f (%.2f) | %.2f | %s |\n", f(QStringLiteral("floor")),
                        f(QStringLiteral("floorP95")), f(QStringLiteral("own")),
                        run == QLatin1String("median")
                            ? ""
                            : qPrintable(QString::number(f(QStringLiteral("load")), 'f', 1)));
        };
        for (int i = 0; i < n; ++i) {
            const QJsonObject r = runs[i].value(g).toObject();
            row(
                QString::number(i + 1), [&](const QString &k) { return r.value(k).toDouble(); },
                r.value(QStringLiteral("n")).toInt());
        }
        row(
            QStringLiteral("median"), [&](const QString &k) { return med(runs, g, k); },
            runs.value(0).value(g).toObject().value(QStringLiteral("n")).toInt());
    }
    std::printf("\n| pointer sweep, 60 moves/s sent | run | moves sent/s | positions painted/s | "
                "move-to-paint median (p95) ms | load |\n|---|---|---|---|---|---|\n");
    for (int i = 0; i < n; ++i) {
        const QJsonObject r = runs[i].value(QStringLiteral("sweep")).toObject();
        std::printf("| depth 15 | %d | %.1f | %.1f | %.2f (%.2f) | %.1f |\n", i + 1,
                    r.value(QStringLiteral("moves")).toDouble(),
                    r.value(QStringLiteral("pictures")).toDouble(),
                    r.value(QStringLiteral("lag")).toDouble(),
                    r.value(QStringLiteral("lagP95")).toDouble(),
                    r.value(QStringLiteral("load")).toDouble());
    }
    const QString sw = QStringLiteral("sweep");
    std::printf("| **depth 15** | median | %.1f | **%.1f** | **%.2f** (%.2f) | |\n",
                med(runs, sw, QStringLiteral("moves")), med(runs, sw, QStringLiteral("pictures")),
                med(runs, sw, QStringLiteral("lag")), med(runs, sw, QStringLiteral("lagP95")));
    std::printf("\nhost (in the gateway process): CPU per update, median %.3f ms, p95 %.3f ms; "
                "per click %.3f ms, per key %.3f ms\n",
                med(runs, QStringLiteral("host"), QStringLiteral("updateCpuMedian")),
                med(runs, QStringLiteral("host"), QStringLiteral("updateCpuP95")),
                med(runs, QStringLiteral("click"), QStringLiteral("hostCpu")),
                med(runs, QStringLiteral("key"), QStringLiteral("hostCpu")));
    std::printf(
        "\nStages, one after the other (each cell: the stage's median, and its share of the mean "
        "delay): command request = from the click or key until the host changed its desktop (the "
        "queue, the request, the gateway); host = until the host left the update and its "
        "notice (drawing, comparing, encoding, compressing); poll answer = until the held poll's "
        "answer was in the console; picture fetch = until the picture was in (dispatch and "
        "round trip); decode = hand-over and decoding on the worker; apply = until the picture "
        "was applied and the view told; paint = until the paint was handed to the window "
        "system. The gateway stamps its part on the same monotonic clock.\n"
        "Protocol floor = what the exchanges the protocol requires took in the same session: "
        "from the command request leaving until the notice was in, plus the picture's round "
        "trip. Console's own = the delay less that floor: queueing, dispatch, decoding, "
        "applying and painting.\n"
        "CPU times are getrusage (all threads of the console) and /proc (the gateway); delays "
        "are wall clock on a shared machine: see the load column (1-minute load average).\n");
}

int driver(const QStringList &args) {
    auto value = [&](const char *name, const QString &fallback) {
        const qsizetype i = args.indexOf(QString::fromLatin1(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
    };
    const int runs = std::max(1, value("--runs", QStringLiteral("3")).toInt());
    const bool scaled = args.contains(QStringLiteral("--scaled"));
    const QString gatewayExe =
        value("--gateway", QCoreApplication::applicationDirPath() +
                               QStringLiteral("/../gateway/quorvia-gateway"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QProcess xvfb;
    if (env.value(QStringLiteral("DISPLAY")).isEmpty() &&
        env.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty()) {
        if (!args.contains(QStringLiteral("--no-xvfb")) &&
            !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
            int display = 90;
            while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)) && display < 200)
                ++display;
            xvfb.start(QStringLiteral("Xvfb"),
                       {QStringLiteral(":%1").arg(display), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("2560x1600x24"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            pause(1000);
            env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
        } else {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
    }
    QList<QJsonObject> results;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir home;
        QProcessEnvironment runEnv = env;
        // The console's settings, logs and files of this run stay in a folder of its own.
        for (const char *var : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
            const QString dir = home.filePath(QString::fromLatin1(var));
            QDir().mkpath(dir);
            QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
            runEnv.insert(QString::fromLatin1(var), dir);
        }
        QProcess p;
        p.setProcessEnvironment(runEnv);
        p.setProcessChannelMode(QProcess::SeparateChannels);
        QStringList childArgs = {QStringLiteral("--child"),
                                 QStringLiteral("--seconds"),
                                 value("--seconds", QStringLiteral("8")),
                                 QStringLiteral("--clicks"),
                                 value("--clicks", QStringLiteral("200")),
                                 QStringLiteral("--keys"),
                                 value("--keys", QStringLiteral("200")),
                                 QStringLiteral("--gateway"),
                                 gatewayExe};
        if (scaled)
            childArgs << QStringLiteral("--scaled");
        if (args.contains(QStringLiteral("--verbose")))
            childArgs << QStringLiteral("--verbose");
        if (args.contains(QStringLiteral("--shots")) && i == 0)
            childArgs << QStringLiteral("--shots") << value("--shots", QString());
        p.start(QCoreApplication::applicationFilePath(), childArgs);
        p.waitForFinished(-1);
        const QByteArray out = p.readAllStandardOutput();
        const QByteArray err = p.readAllStandardError();
        if (args.contains(QStringLiteral("--verbose")))
            std::fprintf(stderr, "%s", err.constData());
        const qsizetype at = out.lastIndexOf("RESULT ");
        if (at < 0) {
            std::fprintf(stderr, "run %d failed:\n%s\n%s\n", i + 1, out.constData(),
                         err.constData());
            continue;
        }
        const QByteArray line = out.mid(at + 7).split('\n').value(0);
        results.append(QJsonDocument::fromJson(line).object());
        std::fprintf(stderr, "run %d done\n", i + 1);
    }
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        xvfb.waitForFinished(3000);
    }
    if (results.isEmpty())
        return 1;
    printTables(results, scaled);
    return 0;
}
} // namespace

int main(int argc, char **argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.contains(QStringLiteral("--child"))) {
        QApplication app(argc, argv);
        return child(args);
    }
    QCoreApplication app(argc, argv);
    return driver(args);
}
