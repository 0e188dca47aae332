#include "recorder/RecordingFiles.h"

#include "common/RemoteNames.h"
#include "recorder/AvSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <filesystem>
#include <functional>

using namespace AvSupport;

namespace RecordingFiles {
namespace {
const QString TempPrefix = QStringLiteral("~AWTemp-");

// ".NAME.XXXXXX.part" beside the movie NAME.avi; "~AWTemp-NAME.XXXXXX.avi" in the temporary
// folder. The six characters are QTemporaryFile's.
const QRegularExpression PartialPattern(QStringLiteral("^\\.(.+)\\.[A-Za-z0-9]{6}\\.part$"));
const QRegularExpression TemporaryPattern(QStringLiteral("^~AWTemp-(.+)\\.[A-Za-z0-9]{6}\\.avi$"));

QString createUnique(const QString &templateName) {
    QTemporaryFile file(templateName);
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    return file.fileName();
}

bool beingWritten(const QString &folder, const QString &base) {
    const QString dot = QStringLiteral(".") + base + QStringLiteral(".");
    for (const QString &name :
         QDir(folder).entryList({dot + QStringLiteral("*.part")}, QDir::Files | QDir::Hidden))
        if (PartialPattern.match(name).captured(1) == base)
            return true;
    for (const QString &name :
         QDir(QDir::tempPath())
             .entryList({TempPrefix + base + QStringLiteral(".*.avi")}, QDir::Files | QDir::Hidden))
        if (TemporaryPattern.match(name).captured(1) == base)
            return true;
    return false;
}

// NAME.avi, else NAME_2.avi, NAME_3.avi, ...: the first that neither exists nor is `taken`.
QString freeName(const QString &folder, const QString &base,
                 const std::function<bool(const QString &)> &taken) {
    QString candidate = base;
    for (int n = 2;
         QFileInfo::exists(folder + QLatin1Char('/') + candidate + QStringLiteral(".avi")) ||
         taken(candidate);
         ++n)
        candidate = base + QLatin1Char('_') + QString::number(n);
    return folder + QLatin1Char('/') + candidate + QStringLiteral(".avi");
}

bool removeIfThere(const QString &path) {
    return !QFileInfo::exists(path) || QFile::remove(path);
}
} // namespace

QString MovieFileName(const QString &folder, const QDateTime &now, const QString &key) {
    const QString dirWithSlash =
        folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    const QString first =
        SessionKeyFilePath(dirWithSlash, now.toString(QStringLiteral("yy-MM-dd_hh'u'mm_")), key,
                           QStringLiteral(".avi"));
    const QFileInfo info(first);
    const QString dir = info.absolutePath();
    return freeName(dir, info.completeBaseName(),
                    [&dir](const QString &base) { return beingWritten(dir, base); });
}

QString CreatePartialFile(const QString &movie) {
    const QFileInfo info(movie);
    return createUnique(info.absolutePath() + QStringLiteral("/.") + info.completeBaseName() +
                        QStringLiteral(".XXXXXX.part"));
}

QString CreateTemporaryFile(const QString &movie) {
    return createUnique(QDir::tempPath() + QLatin1Char('/') + TempPrefix +
                        QFileInfo(movie).completeBaseName() + QStringLiteral(".XXXXXX.avi"));
}

QString LockFileOf(const QString &workingFile) {
    return workingFile + QStringLiteral(".lock");
}

int SalvageRecording(const QString &source, const QString &movie, QString *error) {
    QString ignored;
    QString &err = error ? *error : ignored;
    AVFormatContext *rawIn = nullptr;
    const AVInputFormat *avi = av_find_input_format("avi");
    if (avformat_open_input(&rawIn, LocalPath(source).constData(), avi, nullptr) < 0) {
        err = QStringLiteral("Not a movie: ") + source;
        return -1;
    }
    InputPtr in(rawIn);
    // Without an index the demuxer reads the chunks in file order, which is what is wanted.
    if (avformat_find_stream_info(in.get(), nullptr) < 0 || in->nb_streams < 1) {
        err = QStringLiteral("No stream in ") + source;
        return -1;
    }
    const int videoIndex = av_find_best_stream(in.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (videoIndex < 0) {
        err = QStringLiteral("No video in ") + source;
        return -1;
    }
    AVStream *inStream = in->streams[videoIndex];
    const AVCodecParameters *inPar = inStream->codecpar;
    // A raw frame is whole only at its full size; a compressed one cut short is marked corrupt.
    qint64 rawFrameBytes = 0;
    if (inPar->codec_id == AV_CODEC_ID_RAWVIDEO) {
        const int bits = inPar->bits_per_coded_sample > 0 ? inPar->bits_per_coded_sample : 24;
        rawFrameBytes = qint64((inPar->width * bits + 31) / 32) * 4 * inPar->height;
    }

    const QString partial = CreatePartialFile(movie);
    if (partial.isEmpty()) {
        err = QStringLiteral("Could not create a file beside ") + movie;
        return -1;
    }
    int kept = 0;
    bool ok = false;
    {
        AVFormatContext *rawOut = nullptr;
        if (avformat_alloc_output_context2(&rawOut, nullptr, "avi", nullptr) < 0 || !rawOut) {
            QFile::remove(partial);
            err = QStringLiteral("No AVI muxer");
            return -1;
        }
        OutputPtr out(rawOut);
        AVStream *outStream = avformat_new_stream(out.get(), nullptr);
        AVDictionary *options = nullptr;
        av_dict_set(&options, FlippedRawOption, "1", 0);
        if (outStream && avcodec_parameters_copy(outStream->codecpar, inPar) >= 0 &&
            avio_open(&out->pb, LocalPath(partial).constData(), AVIO_FLAG_WRITE) >= 0) {
            outStream->time_base = inStream->time_base;
            outStream->avg_frame_rate = inStream->avg_frame_rate;
            if (avformat_write_header(out.get(), &options) >= 0) {
                PacketPtr packet(av_packet_alloc());
                while (packet && av_read_frame(in.get(), packet.get()) >= 0) {
                    const bool whole =
                        packet->stream_index == videoIndex &&
                        !(packet->flags & AV_PKT_FLAG_CORRUPT) &&
                        (rawFrameBytes == 0 || packet->size == 0 || packet->size == rawFrameBytes);
                    if (!whole) {
                        av_packet_unref(packet.get());
                        if (packet->stream_index == videoIndex)
                            break; // the frame that was being written when the writer died
                        continue;
                    }
                    packet->stream_index = 0;
                    av_packet_rescale_ts(packet.get(), inStream->time_base, outStream->time_base);
                    packet->pos = -1;
                    const bool counted = packet->size > 0;
                    if (av_write_frame(out.get(), packet.get()) < 0)
                        break;
                    if (counted)
                        ++kept;
                }
                ok = kept > 0 && av_write_trailer(out.get()) >= 0 && out->pb->error == 0;
            }
        }
        av_dict_free(&options);
        if (out->pb && avio_closep(&out->pb) < 0)
            ok = false;
    }
    if (!ok) {
        QFile::remove(partial);
        err = kept > 0 ? QStringLiteral("Unable to write ") + movie
                       : QStringLiteral("No complete frame in ") + source;
        return -1;
    }
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(partial.toStdString()),
                            std::filesystem::path(movie.toStdString()), ec);
    if (ec) {
        QFile::remove(partial);
        err = QStringLiteral("Unable to write ") + movie;
        return -1;
    }
    return kept;
}

QStringList RecoverLeftoverRecordings(const QString &recordedFolder, const QString &tempFolder) {
    QStringList written;
    // The temporary folder is shared: only what this user wrote is taken.
    const uint owner = QFileInfo(recordedFolder).ownerId();
    const auto recover = [&](const QString &leftover, const QString &base) {
        if (QFileInfo(leftover).ownerId() != owner)
            return;
        QLockFile lock(LockFileOf(leftover));
        // Held by a live process: another console (or this one) is still writing it.
        if (!lock.tryLock(0))
            return;
        const QString target =
            freeName(recordedFolder, base, [](const QString &) { return false; });
        if (SalvageRecording(leftover, target) >= 0)
            written.append(target);
        removeIfThere(leftover);
        lock.unlock();
    };
    for (const QString &name :
         QDir(recordedFolder).entryList({QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden)) {
        const auto m = PartialPattern.match(name);
        if (m.hasMatch())
            recover(recordedFolder + QLatin1Char('/') + name, m.captured(1));
    }
    for (const QString &name :
         QDir(tempFolder)
             .entryList({TempPrefix + QStringLiteral("*.avi")}, QDir::Files | QDir::Hidden)) {
        const auto m = TemporaryPattern.match(name);
        if (m.hasMatch())
            recover(tempFolder + QLatin1Char('/') + name, m.captured(1));
    }
    return written;
}

} // namespace RecordingFiles
