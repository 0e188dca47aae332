#pragma once
// The real X programs the host's tests drive, through their command-line tools.
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <QtDebug>

namespace x11tools {

// Short tools only: whoever calls waits meanwhile.
inline QByteArray run(const QString &program, const QStringList &args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qWarning() << program << args << "failed:" << p.readAllStandardError();
    return p.readAllStandardOutput();
}

// The first visible window of that name, waiting until there is one.
inline QString window(const QString &name) {
    return QString::fromLatin1(
               run(QStringLiteral("xdotool"),
                   {QStringLiteral("search"), QStringLiteral("--sync"),
                    QStringLiteral("--onlyvisible"), QStringLiteral("--name"), name}))
        .split(QLatin1Char('\n'))
        .value(0);
}

inline QRect geometry(const QString &window) {
    const QString info =
        QString::fromLatin1(run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window}));
    auto number = [&](const char *label) {
        const QRegularExpression re(QString::fromLatin1(label) + QStringLiteral(":\\s+(-?\\d+)"));
        return re.match(info).captured(1).toInt();
    };
    return QRect(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
                 number("Height"));
}

inline QImage screenshot() {
    QImage shot;
    shot.loadFromData(
        run(QStringLiteral("import"),
            {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")}),
        "PNG");
    return shot.convertToFormat(QImage::Format_RGB32);
}

// The button of an xmessage box, on the screen: the lowest of the box's windows.
inline QRect xmessageButton(const QString &box) {
    const QString tree = QString::fromLatin1(
        run(QStringLiteral("xwininfo"), {QStringLiteral("-tree"), QStringLiteral("-id"), box}));
    QRect button;
    const QRegularExpression child(
        QStringLiteral("(\\d+)x(\\d+)[+-]-?\\d+[+-]-?\\d+\\s+\\+(-?\\d+)\\+(-?\\d+)"));
    for (auto it = child.globalMatch(tree); it.hasNext();) {
        const auto m = it.next();
        const QRect r(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(1).toInt(),
                      m.captured(2).toInt());
        if (r.height() < 40 && (button.isNull() || r.top() > button.top()))
            button = r;
    }
    return button;
}

// xclip's arguments for the CLIPBOARD selection of `display` (empty: this process's).
inline QStringList xclipArgs(const char *direction, const QString &target,
                             const QByteArray &display) {
    QStringList args{QString::fromLatin1(direction), QStringLiteral("-selection"),
                     QStringLiteral("clipboard"), QStringLiteral("-t"), target};
    if (!display.isEmpty())
        args = QStringList{QStringLiteral("-display"), QString::fromLatin1(display)} + args;
    return args;
}

// The event loop runs meanwhile, since this process may own the selection xclip asks for.
inline QByteArray xclipOut(const QString &target, const QByteArray &display = {}) {
    QProcess p;
    p.start(QStringLiteral("xclip"), xclipArgs("-o", target, display));
    if (!QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 10000))
        p.kill();
    return p.readAllStandardOutput();
}

// Another program takes the clipboard; xclip stays in the background serving it.
inline void xclipIn(const QString &target, const QByteArray &data, const QByteArray &display = {}) {
    QProcess p;
    p.start(QStringLiteral("xclip"), xclipArgs("-i", target, display));
    p.write(data);
    p.closeWriteChannel();
    if (!QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 10000))
        p.kill();
    QTest::qWait(200);
}

} // namespace x11tools
