#include "recorder/RecordingFiles.h"

#include "common/RemoteNames.h"
#include "recorder/AvSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>

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

// prefix + six random letters or digits + suffix, locked, then created exclusively.
WorkingFile createLocked(const QString &prefix, const QString &suffix) {
    static const char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = prefix;
        for (int i = 0; i < 6; ++i)
            name +=
                QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)]);
        name += suffix;
        auto lock = std::make_unique<QLockFile>(LockFileOf(name));
        if (!lock->tryLock(0)) {
            if (lock->error() != QLockFile::LockFailedError)
                return {}; // the folder cannot be written
            continue;
        }
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return {name, std::move(lock)};
        if (QFileInfo::exists(name))
            continue; // the name is taken by a file that is not being written
        return {};
    }
    return {};
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

WorkingFile CreatePartialFile(const QString &movie) {
    const QFileInfo info(movie);
    return createLocked(info.absolutePath() + QStringLiteral("/.") + info.completeBaseName() +
                            QLatin1Char('.'),
                        QStringLiteral(".part"));
}

WorkingFile CreateTemporaryFile(const QString &movie) {
    return createLocked(QDir::tempPath() + QLatin1Char('/') + TempPrefix +
                            QFileInfo(movie).completeBaseName() + QLatin1Char('.'),
                        QStringLiteral(".avi"));
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
        return NothingToSalvage;
    }
    InputPtr in(rawIn);
    // Without an index the demuxer reads the chunks in file order, which is what is wanted.
    if (avformat_find_stream_info(in.get(), nullptr) < 0 || in->nb_streams < 1) {
        err = QStringLiteral("No stream in ") + source;
        return NothingToSalvage;
    }
    const int videoIndex = av_find_best_stream(in.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (videoIndex < 0) {
        err = QStringLiteral("No video in ") + source;
        return NothingToSalvage;
    }
    AVStream *inStream = in->streams[videoIndex];
    const AVCodecParameters *inPar = inStream->codecpar;
    // A raw frame is whole only at its full size; a compressed one cut short is marked corrupt.
    qint64 rawFrameBytes = 0;
    if (inPar->codec_id == AV_CODEC_ID_RAWVIDEO) {
        const int bits = inPar->bits_per_coded_sample > 0 ? inPar->bits_per_coded_sample : 24;
        rawFrameBytes = qint64((inPar->width * bits + 31) / 32) * 4 * inPar->height;
    }

    const WorkingFile working = CreatePartialFile(movie);
    const QString &partial = working.path;
    if (partial.isEmpty()) {
        err = QStringLiteral("Could not create a file beside ") + movie;
        return SalvageNotWritten;
    }
    int kept = 0;
    bool ok = false;
    // Only a source read to its end without a whole frame holds nothing worth keeping.
    bool readToEnd = false;
    {
        AVFormatContext *rawOut = nullptr;
        if (avformat_alloc_output_context2(&rawOut, nullptr, "avi", nullptr) < 0 || !rawOut) {
            QFile::remove(partial);
            err = QStringLiteral("No AVI muxer");
            return SalvageNotWritten;
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
                readToEnd = packet != nullptr;
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
                    if (av_write_frame(out.get(), packet.get()) < 0) {
                        readToEnd = false;
                        break;
                    }
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
        if (kept > 0 || !readToEnd) {
            err = QStringLiteral("Unable to write ") + movie;
            return SalvageNotWritten;
        }
        err = QStringLiteral("No complete frame in ") + source;
        return NothingToSalvage;
    }
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(partial.toStdString()),
                            std::filesystem::path(movie.toStdString()), ec);
    if (ec) {
        QFile::remove(partial);
        err = QStringLiteral("Unable to write ") + movie;
        return SalvageNotWritten;
    }
    return kept;
}

Recovery RecoverLeftoverRecordings(const QString &recordedFolder, const QString &tempFolder) {
    Recovery result;
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
        const int kept = SalvageRecording(leftover, target);
        if (kept >= 0)
            result.saved.append(target);
        if (kept == SalvageNotWritten)
            result.kept.append(leftover);
        else
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
    return result;
}

} // namespace RecordingFiles
