#include "SystemReport.h"

#include "ProcessTable.h"
#include "ReportBuilder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QNetworkInterface>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QSysInfo>
#include <QTimeZone>

#include <pwd.h>
#include <unistd.h>

namespace qhost::SystemReport {

namespace {

constexpr qint64 kMaxFileBytes = 1024 * 1024;
constexpr int kToolTimeoutMs = 20000;
constexpr int kMaxPackages = 12000;
constexpr int kMaxDesktopFiles = 500;

QByteArray readFile(const QString &path, qint64 max = kMaxFileBytes) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(max) : QByteArray();
}

// "key<sep>value" lines of a small system file.
QString valueOf(const QByteArray &text, const QByteArray &key, char sep) {
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype at = line.indexOf(sep);
        if (at > 0 && line.left(at).trimmed() == key) {
            QByteArray v = line.mid(at + 1).trimmed();
            if (v.size() >= 2 && (v.startsWith('"') || v.startsWith('\'')) && v.endsWith(v[0]))
                v = v.mid(1, v.size() - 2);
            return QString::fromUtf8(v);
        }
    }
    return {};
}

// Output of a system tool, or nothing when it is missing or fails.
QByteArray run(const QString &program, const QStringList &args) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return {};
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(path, args, QIODevice::ReadOnly);
    if (!p.waitForFinished(kToolTimeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? p.readAllStandardOutput()
                                                                       : QByteArray();
}

QString megabytes(qint64 bytes) {
    return QStringLiteral("%1 MB").arg(bytes / (1024 * 1024));
}

void processor(ReportBuilder &r) {
    r.head("[PROC]", {QStringLiteral("Processor:260"), QStringLiteral("\\Cores:80"),
                      QStringLiteral("\\MHz:80")});
    const QByteArray info = readFile(QStringLiteral("/proc/cpuinfo"));
    int cores = 0;
    for (const QByteArray &line : info.split('\n'))
        cores += line.startsWith("processor") ? 1 : 0;
    QString model = valueOf(info, "model name", ':');
    if (model.isEmpty())
        model = QSysInfo::currentCpuArchitecture();
    const QString mhz = valueOf(info, "cpu MHz", ':').section(QLatin1Char('.'), 0, 0);
    r.row("[PROC]", {model, QString::number(qMax(cores, 1)), mhz});
}

void memory(ReportBuilder &r) {
    r.head("[MEMM]", {QStringLiteral("Memory:200"), QStringLiteral("\\Size:120")});
    const QByteArray info = readFile(QStringLiteral("/proc/meminfo"));
    const struct {
        const char *key;
        const char *text;
    } rows[] = {{"MemTotal", "Physical memory"},
                {"MemAvailable", "Available"},
                {"SwapTotal", "Swap"},
                {"SwapFree", "Swap available"}};
    for (const auto &row : rows) {
        const QString kb = valueOf(info, row.key, ':').section(QLatin1Char(' '), 0, 0);
        if (!kb.isEmpty())
            r.row("[MEMM]", {QLatin1String(row.text), megabytes(kb.toLongLong() * 1024)});
    }
}

void adapters(ReportBuilder &r) {
    r.head("[NICS]", {QStringLiteral("Adapter:160"), QStringLiteral("Address:220"),
                      QStringLiteral("MAC:140"), QStringLiteral("State:80")});
    const QStringList names =
        QDir(QStringLiteral("/sys/class/net")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString sys = QStringLiteral("/sys/class/net/") + name;
        QStringList addresses;
        for (const QNetworkAddressEntry &e :
             QNetworkInterface::interfaceFromName(name).addressEntries())
            addresses.append(e.ip().toString());
        r.row("[NICS]",
              {name, addresses.join(QStringLiteral(", ")),
               QString::fromLatin1(readFile(sys + QStringLiteral("/address"), 64).trimmed()),
               QString::fromLatin1(readFile(sys + QStringLiteral("/operstate"), 64).trimmed())});
    }
}

void storage(ReportBuilder &r) {
    r.head("[STOR]", {QStringLiteral("Drive:220"), QStringLiteral("File system:100"),
                      QStringLiteral("\\Free:120"), QStringLiteral("\\Size:120")});
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        const QByteArray type = v.fileSystemType();
        // Memory and the read-only images packages come in are no storage the user keeps.
        if (!v.isValid() || !v.isReady() || type == "tmpfs" || type == "squashfs" ||
            type == "devtmpfs" || v.bytesTotal() <= 0)
            continue;
        r.row("[STOR]", {v.rootPath(), QString::fromLatin1(type), megabytes(v.bytesAvailable()),
                         megabytes(v.bytesTotal())});
    }
}

void keyboard(ReportBuilder &r) {
    r.head("[KEYB]", {QStringLiteral("Layout:200"), QStringLiteral("Variant:120"),
                      QStringLiteral("Model:120"), QStringLiteral("Options:200")});
    const QByteArray conf = readFile(QStringLiteral("/etc/default/keyboard"));
    const QString layout = valueOf(conf, "XKBLAYOUT", '=');
    if (!layout.isEmpty())
        r.row("[KEYB]", {layout, valueOf(conf, "XKBVARIANT", '='), valueOf(conf, "XKBMODEL", '='),
                         valueOf(conf, "XKBOPTIONS", '=')});
}

void operatingSystem(ReportBuilder &r) {
    r.head("[OPSY]", {QStringLiteral("Property:200"), QStringLiteral("Value:300")});
    const QByteArray release = readFile(QStringLiteral("/etc/os-release"));
    const double uptime =
        readFile(QStringLiteral("/proc/uptime"), 64).split(' ').value(0).toDouble();
    const QDateTime boot = QDateTime::currentDateTime().addSecs(-qint64(uptime));
    const QString rows[][2] = {
        {QStringLiteral("Operating system"), QSysInfo::prettyProductName()},
        {QStringLiteral("Version"), valueOf(release, "VERSION", '=')},
        {QStringLiteral("Kernel"),
         QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion()},
        {QStringLiteral("Architecture"), QSysInfo::currentCpuArchitecture()},
        {QStringLiteral("Computer name"), QSysInfo::machineHostName()},
        {QStringLiteral("Started"), boot.toString(Qt::ISODate)},
    };
    for (const auto &row : rows)
        r.row("[OPSY]", {row[0], row[1]});
}

void printers(ReportBuilder &r) {
    // CUPS through its own client: the destinations and the default one.
    const QString fallback = valueOf(run(QStringLiteral("lpstat"), {QStringLiteral("-d")}),
                                     "system default destination", ':');
    for (const QByteArray &line :
         run(QStringLiteral("lpstat"), {QStringLiteral("-e")}).split('\n')) {
        const QString name = QString::fromUtf8(line.trimmed());
        if (!name.isEmpty() &&
            !r.row("[SYSG]", {QStringLiteral("Printer"),
                              name == fallback ? name + QStringLiteral(" (default)") : name}))
            break;
    }
}

void general(ReportBuilder &r) {
    r.head("[SYSG]", {QStringLiteral("Property:200"), QStringLiteral("Value:300")});
    struct passwd pw {};
    struct passwd *found = nullptr;
    char buffer[4096];
    QString user, fullName;
    if (getpwuid_r(getuid(), &pw, buffer, sizeof buffer, &found) == 0 && found) {
        user = QString::fromLocal8Bit(found->pw_name);
        fullName = QString::fromLocal8Bit(found->pw_gecos).section(QLatin1Char(','), 0, 0);
    }
    const QString rows[][2] = {
        {QStringLiteral("User"), user},
        {QStringLiteral("Full name"), fullName},
        {QStringLiteral("Language"), QLocale::system().name()},
        {QStringLiteral("Time zone"), QString::fromUtf8(QTimeZone::systemTimeZoneId())},
        {QStringLiteral("Desktop"), qEnvironmentVariable("XDG_CURRENT_DESKTOP")},
        {QStringLiteral("Session type"), qEnvironmentVariable("XDG_SESSION_TYPE")},
    };
    for (const auto &row : rows)
        if (!row[1].isEmpty())
            r.row("[SYSG]", {row[0], row[1]});
    printers(r);
}

void folders(ReportBuilder &r) {
    r.head("[SYSF]", {QStringLiteral("Folder:160"), QStringLiteral("Path:300")});
    const struct {
        const char *text;
        QStandardPaths::StandardLocation where;
    } rows[] = {{"Home", QStandardPaths::HomeLocation},
                {"Desktop", QStandardPaths::DesktopLocation},
                {"Documents", QStandardPaths::DocumentsLocation},
                {"Downloads", QStandardPaths::DownloadLocation},
                {"Pictures", QStandardPaths::PicturesLocation},
                {"Music", QStandardPaths::MusicLocation},
                {"Videos", QStandardPaths::MoviesLocation},
                {"Settings", QStandardPaths::GenericConfigLocation},
                {"Temporary files", QStandardPaths::TempLocation}};
    for (const auto &row : rows)
        r.row("[SYSF]", {QLatin1String(row.text), QStandardPaths::writableLocation(row.where)});
}

void software(ReportBuilder &r) {
    r.head("[INSS]", {QStringLiteral("Program:260"), QStringLiteral("Publisher:200"),
                      QStringLiteral("Version:90")});
    const QByteArray list = run(
        QStringLiteral("dpkg-query"),
        {QStringLiteral("-W"),
         QStringLiteral("-f=${db:Status-Abbrev}\t${binary:Package}\t${Maintainer}\t${Version}\n")});
    int n = 0;
    for (const QByteArray &line : list.split('\n')) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() != 4 || !f[0].startsWith("ii"))
            continue;
        const QString publisher = QString::fromUtf8(f[2]).section(QLatin1Char('<'), 0, 0);
        if (++n > kMaxPackages ||
            !r.row("[INSS]", {QString::fromUtf8(f[1]), publisher, QString::fromUtf8(f[3])}))
            break;
    }
}

// A desktop entry's keys in its main group.
QString entryValue(const QByteArray &entry, const QByteArray &key) {
    bool main = false;
    for (const QByteArray &raw : entry.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('['))
            main = line == "[Desktop Entry]";
        else if (main && line.startsWith(key + "="))
            return QString::fromUtf8(line.mid(key.size() + 1));
    }
    return {};
}

QStringList desktopFiles(const QString &folder) {
    QStringList out;
    for (const QString &f : QDir(folder).entryList({QStringLiteral("*.desktop")}, QDir::Files))
        if (out.size() < kMaxDesktopFiles)
            out.append(folder + QLatin1Char('/') + f);
    return out;
}

void scripts(ReportBuilder &r) {
    // What runs when the user logs in: the autostart entries.
    r.head("[SCRP]", {QStringLiteral("Script:200"), QStringLiteral("Command:300")});
    QStringList seen;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                        QStringLiteral("/autostart");
    for (const QString &folder : {own, QStringLiteral("/etc/xdg/autostart")}) {
        for (const QString &file : desktopFiles(folder)) {
            const QString id = QFileInfo(file).fileName();
            if (seen.contains(id))
                continue; // the user's own entry hides the system's
            seen.append(id);
            const QByteArray entry = readFile(file, 64 * 1024);
            if (entryValue(entry, "Hidden") == QLatin1String("true"))
                continue;
            r.row("[SCRP]", {entryValue(entry, "Name"), entryValue(entry, "Exec")});
        }
    }
}

void browser(ReportBuilder &r) {
    r.head("[BROW]", {QStringLiteral("Property:200"), QStringLiteral("Value:300")});
    QString desktopId;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (const QString &list :
         {config + QStringLiteral("/mimeapps.list"), QStringLiteral("/etc/xdg/mimeapps.list"),
          QStringLiteral("/usr/share/applications/mimeapps.list")}) {
        const QByteArray text = readFile(list, 256 * 1024);
        for (const QByteArray &line : text.split('\n'))
            if (desktopId.isEmpty() && line.startsWith("x-scheme-handler/https="))
                desktopId =
                    QString::fromUtf8(line.mid(23)).section(QLatin1Char(';'), 0, 0).trimmed();
    }
    if (!desktopId.isEmpty() && !desktopId.contains(QLatin1Char('/'))) {
        QString name = desktopId;
        for (const QString &dir :
             QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
            const QByteArray entry = readFile(dir + QLatin1Char('/') + desktopId, 64 * 1024);
            if (!entry.isEmpty()) {
                name = entryValue(entry, "Name");
                break;
            }
        }
        r.row("[BROW]", {QStringLiteral("Default browser"), name});
    }
    const QString env = qEnvironmentVariable("BROWSER");
    if (!env.isEmpty())
        r.row("[BROW]", {QStringLiteral("BROWSER"), env});
}

void tasks(ReportBuilder &r, const QList<DesktopTask> &list) {
    r.head("[RUNT]", {QStringLiteral("Task:300"), QStringLiteral("\\PID:80")});
    for (const DesktopTask &t : list)
        if (!r.row("[RUNT]", {t.title, t.pid > 0 ? QString::number(t.pid) : QString()}))
            break;
}

void processes(ReportBuilder &r) {
    // The first column is the program and the third its identifier, as the console's
    // "Terminate" reads them.
    r.head("[RUNP]", {QStringLiteral("Program:300"), QStringLiteral("\\Memory:100"),
                      QStringLiteral("\\PID:80"), QStringLiteral("User:100")});
    for (const ProcessTable::Process &p : ProcessTable::list())
        if (!r.row("[RUNP]", {p.program, QStringLiteral("%1 KB").arg(p.memoryKb),
                              QString::number(p.pid), p.user}))
            break;
}

void services(ReportBuilder &r, const std::optional<QList<ServiceControl::Service>> &list) {
    r.head("[RUNS]", {QStringLiteral("Service:200"), QStringLiteral("Display name:260"),
                      QStringLiteral("State:100")});
    for (const ServiceControl::Service &s : list.value_or(QList<ServiceControl::Service>{}))
        if (!r.row("[RUNS]", {s.name, s.description, s.state}))
            break;
}

} // namespace

QByteArrayList lines(bool full, const Inputs &inputs) {
    ReportBuilder r;
    if (full) {
        processor(r);
        adapters(r);
        keyboard(r);
        operatingSystem(r);
        general(r);
        folders(r);
        scripts(r);
        browser(r);
    }
    // The refreshed categories; the large ones (processes, packages) last, so that a report cut
    // at the console's bound loses rows of those only.
    memory(r);
    storage(r);
    tasks(r, inputs.tasks);
    services(r, inputs.services);
    processes(r);
    if (full)
        software(r);
    return r.lines();
}

} // namespace qhost::SystemReport
