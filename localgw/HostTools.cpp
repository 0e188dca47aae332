#include "HostTools.h"

#include "common/Cp1252.h"
#include "common/Zlib.h"
#include "tools/ClipboardContent.h"

namespace localgw {

namespace {
using ClipboardStream::Entry;
using namespace ClipboardContent;

constexpr int kTotalMemoryMb = 8192;
constexpr int kSystemMemoryMb = 1400;

QImage samplePicture() {
    QImage img(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 4, y * 5, 160));
    return img;
}

QString fileNameOf(const QString &program) {
    return program.mid(program.lastIndexOf(QLatin1Char('\\')) + 1);
}
} // namespace

HostTools::HostTools(const QByteArray &hostName, Outlet outlet)
    : m_hostName(hostName), m_out(std::move(outlet)) {
    m_text = QStringLiteral("Text from the remote clipboard of %1: Grüße, déjà vu, 20 €\n")
                 .arg(QString::fromLatin1(hostName));
    m_image = samplePicture();
    const QString win = QStringLiteral("C:\\Windows\\");
    const QString sys = win + QStringLiteral("System32\\");
    m_processes = {
        {QStringLiteral("System"), 4, 1, {}},
        {sys + QStringLiteral("smss.exe"), 388, 1, {}},
        {sys + QStringLiteral("svchost.exe"), 812, 24, {}},
        {sys + QStringLiteral("svchost.exe"), 968, 61, {}},
        {win + QStringLiteral("explorer.exe"), 1204, 40, {}},
        {sys + QStringLiteral("notepad.exe"), 2210, 8, QStringLiteral("typed.txt - Notepad")},
        {sys + QStringLiteral("mspaint.exe"), 2480, 35, QStringLiteral("Untitled - Paint")},
        {QStringLiteral("C:\\Program Files\\Mozilla Firefox\\firefox.exe"), 3012, 310,
         QStringLiteral("Start page - Mozilla Firefox")},
        {QStringLiteral("C:\\Program Files\\Quorvia\\QuorviaHost.exe"), 3310, 18, {}},
    };
    m_services = {
        {QStringLiteral("AudioSrv"), QStringLiteral("Windows Audio"), QStringLiteral("Running")},
        {QStringLiteral("Fax"), QStringLiteral("Fax"), QStringLiteral("Stopped"), false},
        {QStringLiteral("QuorviaHost"), QStringLiteral("Quorvia Host"), QStringLiteral("Running")},
        {QStringLiteral("Spooler"), QStringLiteral("Print Spooler"), QStringLiteral("Running")},
        {QStringLiteral("Themes"), QStringLiteral("Themes"), QStringLiteral("Running")},
        {QStringLiteral("W32Time"), QStringLiteral("Windows Time"), QStringLiteral("Stopped")},
        {QStringLiteral("wuauserv"), QStringLiteral("Windows Update"), QStringLiteral("Paused")},
    };
}

bool HostTools::handles(const QByteArray &command) {
    static const QByteArrayList commands = {"DlCl", "PcFo", "PcUp", "SvcS", "StPr",
                                            "RqCh", "ChSt", "StCh", "RTpg", "RsTp"};
    return commands.contains(command);
}

void HostTools::command(const QByteArray &cmd, const QByteArray &param) {
    if (cmd == "DlCl") {
        sendClipboard(param);
    } else if (cmd == "PcFo" || cmd == "PcUp") {
        sendReport(cmd);
    } else if (cmd == "SvcS") {
        setService(param);
    } else if (cmd == "StPr") {
        stopProcess(param);
    } else if (cmd == "RqCh") {
        if (m_chatDenied)
            m_out.say("ChDn");
        else
            m_chatOpen = true;
    } else if (cmd == "ChSt") {
        chatMessage(param);
    } else if (cmd == "StCh") {
        m_chatOpen = false;
    } else if (cmd == "RTpg" || cmd == "RsTp") {
        m_typing.append(cmd);
    }
}

void HostTools::hostLeft() {
    m_chatOpen = false;
}

// ---- Clipboard

void HostTools::setClipboard(const QString &text, const QImage &image) {
    m_text = text;
    m_image = image;
    m_others.clear();
}

void HostTools::sendClipboard(const QByteArray &code) {
    if (m_clipboardEmpty) {
        m_out.say("ClEr?Empty");
        return;
    }
    QByteArray content;
    if (code == "Txt") {
        if (!m_text.isEmpty())
            content = ansiTextBlock(m_text);
    } else if (code == "BM") {
        content = dibOf(m_image);
    } else {
        QList<Entry> entries;
        if (!m_text.isEmpty()) {
            entries.append({CF_TEXT, {}, ansiTextBlock(m_text)});
            entries.append({CF_UNICODETEXT, {}, unicodeTextBlock(m_text)});
        }
        if (!m_image.isNull())
            entries.append({CF_DIB, {}, dibOf(m_image)});
        entries.append(m_others);
        if (!entries.isEmpty())
            content = ClipboardStream::encode(entries);
    }
    if (content.isEmpty()) {
        m_out.say("ClEr?Empty");
        return;
    }
    if (content.size() > ClipboardStream::kMaxContentBytes) {
        m_out.say("ClEr?>" + QByteArray::number((content.size() + 1023) / 1024));
        return;
    }
    m_out.depositClipboard(Zlib::deflate(content));
    m_out.say("DlCl?" + code);
}

void HostTools::holdUploadAnswers(bool hold) {
    m_holdUploadAnswers = hold;
    if (!hold)
        for (const QByteArray &answer : std::exchange(m_heldAnswers, {}))
            m_out.say(answer);
}

void HostTools::answerUpload(const QByteArray &answer) {
    if (m_holdUploadAnswers)
        m_heldAnswers.append(answer);
    else
        m_out.say(answer);
}

void HostTools::clipboardFromConsole(const QByteArray &formatWord, const QByteArray &zlibBody) {
    Zlib::InflateError error = Zlib::InflateError::None;
    const auto content = Zlib::inflateBounded(zlibBody, ClipboardStream::kMaxContentBytes, &error);
    if (!content) {
        answerUpload(error == Zlib::InflateError::TooLarge ? QByteArray("ClEr?>4883")
                                                           : QByteArray("ClEr?Error"));
        return;
    }
    if (content->isEmpty()) {
        answerUpload("ClEr?Empty");
        return;
    }
    // As the console does it: the whole content is checked before the clipboard changes.
    QString text;
    QImage image;
    QList<Entry> others;
    if (formatWord == "Txt") {
        text = textOfAnsiBlock(*content);
    } else if (formatWord == "BM") {
        const auto picture = imageOfDib(*content);
        if (!picture) {
            answerUpload("ClEr?Error");
            return;
        }
        image = *picture;
    } else if (formatWord == "All") {
        const auto entries = ClipboardStream::decode(*content);
        if (!entries) {
            answerUpload("ClEr?Error");
            return;
        }
        std::optional<QString> ansi, unicode;
        for (const Entry &e : *entries) {
            if (!e.name.isEmpty()) {
                others.append(e);
            } else if (e.format == CF_TEXT) {
                ansi = textOfAnsiBlock(e.data);
            } else if (e.format == CF_UNICODETEXT) {
                unicode = textOfUnicodeBlock(e.data);
            } else if (e.format == CF_DIB) {
                const auto picture = imageOfDib(e.data);
                if (!picture) {
                    answerUpload("ClEr?Error");
                    return;
                }
                image = *picture;
            }
        }
        text = unicode ? *unicode : ansi.value_or(QString());
    } else {
        answerUpload("ClEr?Error");
        return;
    }
    m_text = text;
    m_image = image;
    m_others = others;
    if (m_out.note) {
        if (!text.isEmpty())
            m_out.note(QStringLiteral("Clipboard: ") + text.left(60));
        else
            m_out.note(QStringLiteral("Clipboard: picture %1 x %2")
                           .arg(image.width())
                           .arg(image.height()));
    }
    answerUpload("ClSt");
}

// ---- Chat

void HostTools::chatMessage(const QByteArray &param) {
    m_chatReceived.append(fromCp1252(param));
    // The remote user reads, types a moment and answers.
    m_out.later(300, [this] { m_out.say("RTpg"); });
    m_out.later(900, [this, param] {
        m_out.say("RsTp");
        m_out.say("ChSt?The remote user read: " + param.left(200));
    });
}

void HostTools::remoteOpensChat() {
    m_chatOpen = true;
    m_out.say("RqCh");
}

void HostTools::remoteTypesAndSends(const QString &text) {
    m_out.say("RTpg");
    m_out.later(400, [this, text] {
        m_out.say("RsTp");
        m_out.say("ChSt?" + toCp1252(text));
    });
}

void HostTools::remoteClosesChat() {
    m_chatOpen = false;
    m_out.say("StCh");
}

// ---- System report

QByteArrayList HostTools::reportLines(bool full) const {
    QStringList lines;
    const QString host = QString::fromLatin1(m_hostName);
    if (full) {
        lines << QStringLiteral("[PROC][HEAD]Processor:260|\\Cores:80|\\MHz:80")
              << QStringLiteral("[PROC]Simulated processor|4|2400")
              << QStringLiteral("[NICS][HEAD]Adapter:220|Address:120|MAC:140")
              << QStringLiteral("[NICS]Simulated Ethernet Adapter|192.168.10.20|00-15-5D-0A-14-01")
              << QStringLiteral("[KEYB][HEAD]Layout:200") << QStringLiteral("[KEYB]00000409")
              << QStringLiteral("[OPSY][HEAD]Property:200|Value:300")
              << QStringLiteral("[OPSY]Operating system|Simulated Windows")
              << QStringLiteral("[OPSY]Computer name|") + host
              << QStringLiteral("[SYSG][HEAD]Property:200|Value")
              << QStringLiteral("[SYSG]Registered owner|Jürgen Müller")
              << QStringLiteral("[SYSG]Time zone|W. Europe Standard Time")
              << QStringLiteral("[SYSF][HEAD]Folder:160|Path:300")
              << QStringLiteral("[SYSF]Windows|C:\\Windows")
              << QStringLiteral("[SYSF]Program files|C:\\Program Files")
              << QStringLiteral("[INSS][HEAD]Program:260|Publisher:200|Version:90")
              << QStringLiteral("[INSS]Mozilla Firefox|Mozilla|115.0")
              << QStringLiteral("[INSS]Quorvia Host|Quorvia|1.0.0.1")
              << QStringLiteral("[INSS]Éditeur de texte|Société Générale d'Outils|2.3")
              << QStringLiteral("[SCRP][HEAD]Script:200|Engine:120")
              << QStringLiteral("[SCRP]logon.vbs|VBScript")
              << QStringLiteral("[BROW][HEAD]Property:200|Value:300")
              << QStringLiteral("[BROW]Default browser|Mozilla Firefox")
              << QStringLiteral("[BROW]Home page|https://start.example/")
              << QStringLiteral("[INSD]Install date|2024-03-01");
    }
    int used = kSystemMemoryMb;
    for (const Process &p : m_processes)
        used += p.memoryMb;
    lines << QStringLiteral("[MEMM][HEAD]Memory:200|\\Size:120")
          << QStringLiteral("[MEMM]Physical memory|%1 MB").arg(kTotalMemoryMb)
          << QStringLiteral("[MEMM]Available|%1 MB").arg(kTotalMemoryMb - used)
          << QStringLiteral("[STOR][HEAD]Drive:100|\\Free:120|\\Size:120")
          << QStringLiteral("[STOR]C:\\|51200 MB|256000 MB");
    lines << QStringLiteral("[RUNT][HEAD]Task:300|\\PID:80");
    for (const Process &p : m_processes) {
        if (!p.window.isEmpty())
            lines << QStringLiteral("[RUNT]%1|%2").arg(p.window).arg(p.pid);
    }
    lines << QStringLiteral("[RUNP][HEAD]Program:300|\\Memory:100|\\PID:80");
    for (const Process &p : m_processes)
        lines << QStringLiteral("[RUNP]%1|%2 MB|%3").arg(p.program).arg(p.memoryMb).arg(p.pid);
    lines << QStringLiteral("[RUNS][HEAD]Service:160|Display name:240|State:100");
    for (const Service &s : m_services)
        lines << QStringLiteral("[RUNS]%1|%2|%3").arg(s.name, s.displayName, s.state);
    QByteArrayList out;
    for (const QString &l : std::as_const(lines))
        out << toCp1252(l);
    return out;
}

void HostTools::sendReport(const QByteArray &kind) {
    m_out.depositList(Zlib::deflate(reportLines(kind == "PcFo").join("\r\n") + "\r\n"));
    m_out.say("Strl" + kind);
}

void HostTools::setService(const QByteArray &param) {
    // "name&1" starts, "name&0" stops; the name may itself hold "&".
    const qsizetype amp = param.lastIndexOf('&');
    const QString name = fromCp1252(amp < 0 ? param : param.left(amp));
    const bool start = amp >= 0 && param.mid(amp + 1) == "1";
    for (Service &s : m_services) {
        if (s.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!start)
            s.state = QStringLiteral("Stopped");
        else if (s.startable)
            s.state = QStringLiteral("Running");
        m_out.say("SvcS?" + s.state.toLatin1());
        return;
    }
    m_out.say("SvcS?Stopped");
}

void HostTools::stopProcess(const QByteArray &param) {
    const qsizetype amp = param.lastIndexOf('&');
    const QString program = fromCp1252(amp < 0 ? param : param.left(amp));
    const int pid = amp < 0 ? -1 : param.mid(amp + 1).toInt();
    for (qsizetype i = 0; i < m_processes.size(); ++i) {
        const Process &p = m_processes[i];
        if (p.pid != pid)
            continue;
        if (p.program.compare(program, Qt::CaseInsensitive) != 0 &&
            fileNameOf(p.program).compare(fileNameOf(program), Qt::CaseInsensitive) != 0)
            break;
        if (p.pid == 4 || fileNameOf(p.program).startsWith(QLatin1String("Quorvia"))) {
            m_out.say("StPr?Access denied");
            return;
        }
        m_processes.removeAt(i);
        m_out.say("StPr?OK");
        return;
    }
    m_out.say("StPr?Process not found");
}

} // namespace localgw
