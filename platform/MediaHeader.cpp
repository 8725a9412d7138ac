#include "platform/MediaHeader.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/AtomicSave.h"
#include "platform/AvFormatLibrary.h"

namespace {

constexpr int64_t kTailBytes = 256 * 1024;  // how far from the end the last packet times are read
constexpr int kMostPackets = 20000;

struct Context {
    const AvFormatLibrary& av;
    AVFormatContext* format = nullptr;
    ~Context() {
        if (format)
            av.close_input(&format);
    }
};

qint64 toMilliseconds(int64_t value, AVRational base) {
    return static_cast<qint64>(static_cast<double>(value) * av_q2d(base) * 1000.0 + 0.5);
}

bool isPicture(const AVStream* stream) {
    return (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
}

using Packet = std::unique_ptr<AVPacket, void (*)(AVPacket*)>;

Packet newPacket(const AvFormatLibrary& av) {
    return Packet(av.packet_alloc(), [](AVPacket* p) { AvFormatLibrary::Get()->packet_free(&p); });
}

// The file's length at the bit rate of its first frames: how the length of a raw MP3 or AAC
// stream without a length header is known anywhere.
qint64 lengthFromBitRate(const Context& c) {
    const Packet packet = newPacket(c.av);
    int64_t firstByte = -1, bytes = 0, ticks = 0;
    int stream = -1;
    for (int n = 0; packet && n < 20 && c.av.read_frame(c.format, packet.get()) >= 0; ++n) {
        if (stream < 0 && !isPicture(c.format->streams[packet->stream_index])) {
            stream = packet->stream_index;
            firstByte = packet->pos;
        }
        if (packet->stream_index == stream && packet->duration > 0) {
            bytes += packet->size;
            ticks += packet->duration;
        }
        c.av.packet_unref(packet.get());
    }
    const int64_t size = c.format->pb ? c.av.io_size(c.format->pb) : -1;
    if (bytes <= 0 || firstByte < 0 || size <= firstByte)
        return -1;
    const double perByte =
        static_cast<double>(toMilliseconds(ticks, c.format->streams[stream]->time_base)) / bytes;
    return static_cast<qint64>(static_cast<double>(size - firstByte) * perByte + 0.5);
}

// The span between the first packet's time and the end of the last one, read near the end.
qint64 lengthFromPacketTimes(const Context& c) {
    const AvFormatLibrary& av = c.av;
    const Packet packet = newPacket(av);
    if (!packet)
        return -1;
    int stream = -1;
    int64_t first = AV_NOPTS_VALUE;
    for (int n = 0; n < kMostPackets && stream < 0 && av.read_frame(c.format, packet.get()) >= 0;
         ++n) {
        if (packet->pts != AV_NOPTS_VALUE && !isPicture(c.format->streams[packet->stream_index])) {
            stream = packet->stream_index;
            first = packet->pts;
        }
        av.packet_unref(packet.get());
    }
    const int64_t size = c.format->pb ? av.io_size(c.format->pb) : -1;
    if (stream < 0 || size <= 0 ||
        av.seek_file(c.format, -1, INT64_MIN, std::max<int64_t>(0, size - kTailBytes), INT64_MAX,
                     AVSEEK_FLAG_BYTE) < 0)
        return -1;
    int64_t last = AV_NOPTS_VALUE;
    for (int n = 0; n < kMostPackets && av.read_frame(c.format, packet.get()) >= 0; ++n) {
        if (packet->stream_index == stream && packet->pts != AV_NOPTS_VALUE)
            last = std::max(last == AV_NOPTS_VALUE ? packet->pts : last,
                            packet->pts + std::max<int64_t>(0, packet->duration));
        av.packet_unref(packet.get());
    }
    if (last == AV_NOPTS_VALUE || last <= first)
        return -1;
    return toMilliseconds(last - first, c.format->streams[stream]->time_base);
}

qint64 length(const Context& c) {
    if (c.format->duration > 0)
        return toMilliseconds(c.format->duration, AVRational{1, AV_TIME_BASE});
    for (unsigned i = 0; i < c.format->nb_streams; ++i) {
        const AVStream* stream = c.format->streams[i];
        if (stream->duration > 0 && !isPicture(stream))
            return toMilliseconds(stream->duration, stream->time_base);
    }
    const QString name = QString::fromLatin1(c.format->iformat->name);
    if (name == QLatin1String("mp3") || name == QLatin1String("aac"))
        return lengthFromBitRate(c);
    return lengthFromPacketTimes(c);
}

// A tag of the container, else of its first stream that has it (Ogg keeps them there).
QString tag(const Context& c, const char* key) {
    const AVDictionaryEntry* entry = c.av.dict_get(c.format->metadata, key, nullptr, 0);
    for (unsigned i = 0; !entry && i < c.format->nb_streams; ++i)
        entry = c.av.dict_get(c.format->streams[i]->metadata, key, nullptr, 0);
    return entry ? QString::fromUtf8(entry->value).trimmed() : QString();
}

QString embeddedCover(const Context& c, const QString& folder) {
    for (unsigned i = 0; i < c.format->nb_streams; ++i) {
        const AVStream* stream = c.format->streams[i];
        if (!isPicture(stream) || stream->attached_pic.size <= 0)
            continue;
        const QByteArray bytes(reinterpret_cast<const char*>(stream->attached_pic.data),
                               stream->attached_pic.size);
        const char* extension = stream->codecpar->codec_id == AV_CODEC_ID_PNG ? ".png" : ".jpg";
        const QString file =
            folder + QLatin1Char('/') +
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()) +
            QLatin1String(extension);
        // The tracks of an album are read at once and share their cover: one writes it, the
        // others find it written (they would share one temporary file otherwise).
        static std::mutex writing;
        const std::lock_guard<std::mutex> lock(writing);
        if (QFileInfo::exists(file))
            return file;
        if (QDir().mkpath(folder) && !AtomicSave::Write(file, bytes))
            return file;
    }
    return QString();
}

QString coverBeside(const QString& path) {
    const QDir folder = QFileInfo(path).dir();
    for (const char* name : {"cover.jpg", "folder.jpg", "Cover.jpg", "Folder.jpg"})
        if (folder.exists(QLatin1String(name)))
            return folder.filePath(QLatin1String(name));
    return QString();
}

}  // namespace

QString MediaHeader::DefaultCoverFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/solvane");
}

MediaInfo MediaHeader::Read(const QString& path, const QString& coverFolder) {
    MediaInfo info;
    info.path = path;
    const AvFormatLibrary* av = AvFormatLibrary::Get();
    if (!av || !QFileInfo(path).isFile())
        return info;
    Context c{*av};
    // "file:" so that a colon in the name is never taken for a protocol.
    const QByteArray url = "file:" + QFile::encodeName(QFileInfo(path).absoluteFilePath());
    if (av->open_input(&c.format, url.constData(), nullptr, nullptr) < 0)
        return info;
    info.milliseconds = length(c);  // first: FLV's tags come with its first packets
    info.title = tag(c, "title");
    info.artist = tag(c, "artist");
    info.album = tag(c, "album");
    info.cover = embeddedCover(c, coverFolder);
    if (info.cover.isEmpty())
        info.cover = coverBeside(path);
    return info;
}
