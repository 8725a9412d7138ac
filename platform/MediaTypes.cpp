#include "platform/MediaTypes.h"

#include <QHash>

namespace {
using Kind = MediaTypes::Kind;

QString joinedPatterns(const QStringList& patterns) {
    return patterns.join(QLatin1Char(';'));
}

// The rank of each extension in the scan's order, built once from the table.
QHash<QString, int> scanRanks() {
    QHash<QString, int> ranks;
    for (const QString& pattern : MediaTypes::ScanPatterns())
        ranks.insert(pattern.mid(2), static_cast<int>(ranks.size()));
    return ranks;
}
}  // namespace

const std::vector<MediaTypes::Type>& MediaTypes::All() {
    static const std::vector<Type> types = {
        {"MP3", Kind::Audio, {"mp3"}, {"audio/mpeg", "audio/mp3", "audio/x-mp3"}},
        {"FLAC", Kind::Audio, {"flac"}, {"audio/flac", "audio/x-flac"}},
        {"Ogg Vorbis",
         Kind::Audio,
         {"ogg", "oga"},
         {"audio/ogg", "audio/x-vorbis+ogg", "audio/x-ogg", "audio/vorbis"}},
        {"Opus", Kind::Audio, {"opus"}, {"audio/x-opus+ogg", "audio/opus"}},
        {"M4A/AAC",
         Kind::Audio,
         {"m4a", "aac"},
         {"audio/mp4", "audio/x-m4a", "audio/aac", "audio/x-aac"}},
        {"WAV", Kind::Audio, {"wav"}, {"audio/x-wav", "audio/wav", "audio/vnd.wave"}},
        {"WMA", Kind::Audio, {"wma"}, {"audio/x-ms-wma"}},
        {"APE", Kind::Audio, {"ape"}, {"audio/x-ape", "audio/ape"}},
        {"WavPack", Kind::Audio, {"wv"}, {"audio/x-wavpack"}},
        {"MKA", Kind::Audio, {"mka"}, {"audio/x-matroska"}},
        {"AVI", Kind::Video, {"avi"}, {"video/x-msvideo", "video/avi", "video/msvideo"}},
        {"DivX", Kind::Video, {"divx"}, {"video/divx", "video/vnd.divx"}},
        {"MPEG", Kind::Video, {"mpg", "mpeg"}, {"video/mpeg", "video/x-mpeg"}},
        {"Video CD", Kind::Video, {"dat"}, {"video/x-vcd"}},
        {"ASF", Kind::Video, {"asf"}, {"application/vnd.ms-asf", "video/x-ms-asf"}},
        {"WMV", Kind::Video, {"wmv"}, {"video/x-ms-wmv"}},
        {"MKV", Kind::Video, {"mkv"}, {"video/x-matroska"}},
        {"MP4", Kind::Video, {"mp4"}, {"video/mp4"}},
        {"M4V", Kind::Video, {"m4v"}, {"video/x-m4v"}},
        {"WebM", Kind::Video, {"webm"}, {"video/webm"}},
        {"QuickTime", Kind::Video, {"mov"}, {"video/quicktime"}},
        {"Ogg Video", Kind::Video, {"ogv"}, {"video/ogg", "video/x-theora+ogg"}},
        {"MPEG-TS", Kind::Video, {"ts", "m2ts", "mts"}, {"video/mp2t"}},
        {"3GP", Kind::Video, {"3gp"}, {"video/3gpp", "audio/3gpp"}},
        {"FLV", Kind::Video, {"flv"}, {"video/x-flv", "video/flv"}},
        {"VOB", Kind::Video, {"vob"}, {"video/x-ms-vob"}},
        {"Solvane Playlist", Kind::Playlist, {"slv"}, {"audio/x-solvane-playlist"}},
        {"M3U",
         Kind::Playlist,
         {"m3u", "m3u8"},
         {"audio/x-mpegurl", "audio/mpegurl", "application/vnd.apple.mpegurl"}},
        {"PLS", Kind::Playlist, {"pls"}, {"audio/x-scpls"}},
    };
    return types;
}

QString MediaTypes::suffix(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return dot <= slash ? QString() : path.mid(dot + 1).toLower();
}

std::optional<MediaTypes::Kind> MediaTypes::KindOf(const QString& path) {
    static const QHash<QString, Kind> kinds = [] {
        QHash<QString, Kind> byExtension;
        for (const Type& type : All())
            for (const QString& extension : type.extensions)
                byExtension.insert(extension, type.kind);
        return byExtension;
    }();
    const auto found = kinds.constFind(suffix(path));
    if (found == kinds.constEnd())
        return std::nullopt;
    return *found;
}

bool MediaTypes::IsPlayable(const QString& path) {
    const auto kind = KindOf(path);
    return kind && *kind != Kind::Playlist;
}

bool MediaTypes::IsPlaylist(const QString& path) {
    return KindOf(path) == Kind::Playlist;
}

QStringList MediaTypes::Patterns(std::initializer_list<Kind> kinds) {
    QStringList patterns;
    for (const Type& type : All())
        if (std::find(kinds.begin(), kinds.end(), type.kind) != kinds.end())
            for (const QString& extension : type.extensions) patterns << "*." + extension;
    return patterns;
}

QStringList MediaTypes::ScanPatterns() {
    QStringList patterns = {"*.mpg",  "*.mpeg", "*.avi", "*.asf",
                            "*.divx", "*.dat",  "*.wmv", "*.mp3"};
    for (const QString& pattern : Patterns({Kind::Audio, Kind::Video}))
        if (!patterns.contains(pattern))
            patterns << pattern;
    return patterns;
}

int MediaTypes::ScanRank(const QString& fileName) {
    static const QHash<QString, int> ranks = scanRanks();
    return ranks.value(suffix(fileName), -1);
}

QString MediaTypes::OpenFilter() {
    const QString longStanding = QStringLiteral(
        "Supported Media Files|*.avi;*.asf;*.mpg;*.mpeg;*.wmv;*.divx;*.dat;*.slv;*.mp3|Divx/Avi "
        "files (divx avi)|*.avi;*.divx|Mpeg/MPG/Dat files (mpg mpeg "
        "dat)|*.mpg;*.mpeg;*.dat|Windows "
        "Media files (asf wmv)|*.asf;*.wmv|Solvane Playlist (slv)|*.slv");
    return QStringList{
        "All Media Files",
        joinedPatterns(Patterns({Kind::Audio, Kind::Video, Kind::Playlist})),
        longStanding,
        "Audio Files",
        joinedPatterns(Patterns({Kind::Audio})),
        "Video Files",
        joinedPatterns(Patterns({Kind::Video})),
        PlaylistFilter(),
    }
        .join(QLatin1Char('|'));
}

QString MediaTypes::PlaylistFilter() {
    return QStringLiteral("Playlists|") + joinedPatterns(Patterns({Kind::Playlist}));
}

QStringList MediaTypes::MimeTypes() {
    QStringList types;
    for (const Type& type : All()) types << type.mimeTypes;
    return types;
}
