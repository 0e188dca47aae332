// The player on whatever lies in the recording folder: the input is either a whole file or a
// list of byte changes to a movie the recorder wrote (compressed or not), so that the fuzzer
// reaches the headers' sizes and codecs without having to find the AVI layout first.
#include "recorder/AviWriter_2.h"
#include "recorder/MoviePlayback.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {
QByteArray recordedMovie(const QString &folder, const QString &codec) {
    const QString path = folder + QStringLiteral("/seed.avi");
    {
        TAviWriter_2 writer;
        writer.filename = path;
        writer.setPixelFormat(TAviWriter_2::pf8bit);
        writer.FrameTime = 200;
        writer.Width = 32;
        writer.Height = 24;
        writer.OnTheFly = !codec.isEmpty();
        if (!writer.SelectCodec(codec) || !writer.StartMovie())
            return {};
        for (int n = 0; n < 3; ++n) {
            QImage frame(32, 24, QImage::Format_RGB32);
            frame.fill(QColor(40 * n, 200, 255 - 60 * n));
            writer.WriteFrame(frame);
        }
        writer.EndFrames();
        writer.FinishMovie();
    }
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_movie_playback";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    static const QByteArray seeds[] = {recordedMovie(dir.path(), QString()),
                                       recordedMovie(dir.path(), QStringLiteral("MP43"))};
    if (size < 1 || !dir.isValid())
        return 0;

    QByteArray file;
    const int mode = data[0] % 3;
    if (mode == 2) {
        file = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    } else {
        // Three bytes a change: where (two bytes) and the new value.
        file = seeds[mode];
        for (size_t i = 1; i + 2 < size && !file.isEmpty(); i += 3)
            file[(data[i] | data[i + 1] << 8) % file.size()] = char(data[i + 2]);
    }
    const QString path = dir.filePath(QStringLiteral("hostile.avi"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(file) != file.size())
        return 0;
    out.close();

    MoviePlayback player;
    if (!player.open(path))
        return 0;
    // Every picture shown has the movie's size, which is never larger than a picture may be.
    const QSize natural = player.naturalSize();
    if (natural.isEmpty() || qint64(natural.width()) * natural.height() > 8192LL * 8192)
        __builtin_trap();
    const auto check = [&] {
        if (!player.picture().isNull() && player.picture().size() != natural)
            __builtin_trap();
    };
    check();
    player.seek(player.length() / 2);
    check();
    player.seek(player.length());
    check();
    return 0;
}
