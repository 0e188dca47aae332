// The console's commands reach the host program from the internet: any text, split into
// commands, must leave the session and the desktop in a sane state, and an input command the
// parser accepts must carry only the values the desktop can take.
#include "core/HostSession.h"
#include "core/InputParser.h"
#include "core/JoinKey.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {
class NullDesktop : public qhost::DesktopBackend {
public:
    QImage screen{64, 48, QImage::Format_RGB32};
    bool open(QString *) override { return true; }
    void close() override {}
    QSize screenSize() const override { return screen.size(); }
    QRegion grab(QImage &frame) override {
        frame = screen;
        return QRegion(screen.rect());
    }
    QList<qhost::DesktopMode> modes() const override { return {{QSize(64, 48), 24}}; }
    qhost::DesktopMode currentMode() const override { return {QSize(64, 48), 24}; }
    bool setMode(const qhost::DesktopMode &) override { return true; }
    bool setWallpaperVisible(bool) override { return true; }
    void movePointer(QPoint) override {}
    void pressButton(int b, bool) override {
        if (b < 1 || b > 3)
            abort();
    }
    void wheel(int) override {}
    void key(int vk, bool, bool) override {
        if (vk < 0 || vk > 255)
            abort();
    }
    void typeCharacter(QChar) override {}
    void releaseAll() override {}
    bool lockScreen() override { return true; }
    bool openTaskManager() override { return true; }
};

struct NullLink : qhost::ConsoleLink {
    void say(const QByteArray &) override {}
    void deposit(const QByteArray &, const QByteArray &) override {}
    void file(const QByteArray &, const QByteArray &) override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    NullDesktop desktop;
    NullLink link;
    qhost::HostSession session(desktop, link);
    session.start();
    for (const QByteArray &command : bytes.split('\n'))
        session.command(command);
    qhost::ParseJoinKey(QString::fromUtf8(bytes));
    if (const auto mode = qhost::ParseModeRequest(bytes))
        if (mode->width <= 0 || mode->height <= 0 || mode->width > 99999)
            abort();
    return 0;
}
