// The installed program: `cmake --install` into a temporary prefix, then the installed files
// checked by the desktop's own validators and the installed player started on the test's screen.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <memory>

#include "ScreenSession.h"
#include "platform/MediaTypes.h"

namespace {

struct Result {
    int exitCode = -1;
    QString out, err;
};

Result run(const QString& program, const QStringList& arguments,
           const QStringList& environment = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& pair : environment)
        env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished(2000);
        return {};
    }
    Result r;
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

QString source(const QString& relative) {
    return qEnvironmentVariable("SOLVANE_SOURCE") + QLatin1Char('/') + relative;
}

// The keys of a desktop entry's main group.
QHash<QString, QString> desktopEntry(const QString& file) {
    QHash<QString, QString> keys;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inMainGroup = false;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
        else if (inMainGroup && line.contains(QLatin1Char('=')))
            keys.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return keys;
}

class Installed : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = std::make_unique<QTemporaryDir>();
        const Result install =
            run(qEnvironmentVariable("SOLVANE_CMAKE"),
                {"--install", qEnvironmentVariable("SOLVANE_BUILD"), "--prefix", prefix_->path()});
        installed_ = install.exitCode == 0;
        if (!installed_)
            std::fprintf(stderr, "%s%s", qPrintable(install.out), qPrintable(install.err));
        if (installed_)
            makeMimeDatabase();
    }

    // The system's MIME database with the installed package merged in, as the package's
    // trigger builds it under /usr/share/mime, and the only one this process looks at.
    static void makeMimeDatabase() {
        const QString mime = prefix_->path() + QStringLiteral("/merged/mime");
        QDir().mkpath(mime + QStringLiteral("/packages"));
        QFile::copy(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml"),
                    mime + QStringLiteral("/packages/freedesktop.org.xml"));
        QFile::copy(path("share/mime/packages/solvane.xml"),
                    mime + QStringLiteral("/packages/solvane.xml"));
        run("update-mime-database", {mime});
        qputenv("XDG_DATA_HOME", (prefix_->path() + QStringLiteral("/no-home")).toUtf8());
        qputenv("XDG_DATA_DIRS", (prefix_->path() + QStringLiteral("/merged")).toUtf8());
    }
    static void TearDownTestSuite() { prefix_.reset(); }

    void SetUp() override { ASSERT_TRUE(installed_) << "cmake --install failed"; }

    static QString path(const QString& relative) {
        return prefix_->path() + QLatin1Char('/') + relative;
    }

    static std::unique_ptr<QTemporaryDir> prefix_;
    static bool installed_;
};

std::unique_ptr<QTemporaryDir> Installed::prefix_;
bool Installed::installed_ = false;

TEST_F(Installed, LaysOutProgramDataMenuEntryIconsAndManual) {
    QStringList expected = {"bin/solvane",
                            "share/solvane/default.ini",
                            "share/applications/solvane.desktop",
                            "share/mime/packages/solvane.xml",
                            "share/metainfo/io.github.solvane.Solvane.metainfo.xml",
                            "share/man/man1/solvane.1.gz",
                            "share/doc/solvane/copyright"};
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        expected << QStringLiteral("share/icons/hicolor/%1x%1/apps/solvane.png").arg(size);
    // Every file of every shipped skin.
    for (const QString& skin : QDir(source("skins")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QString& file : QDir(source("skins/" + skin)).entryList(QDir::Files))
            expected << QStringLiteral("share/solvane/skins/%1/%2").arg(skin, file);
    for (const QString& relative : expected)
        EXPECT_TRUE(QFile::exists(path(relative))) << relative.toStdString();
    EXPECT_TRUE(QFileInfo(path("bin/solvane")).isExecutable());
    EXPECT_FALSE(QFile::exists(path("bin/default.ini")));
    EXPECT_FALSE(QFile::exists(path("bin/skins")));
    for (const int size : {16, 256})
        EXPECT_EQ(
            QImage(path(QStringLiteral("share/icons/hicolor/%1x%1/apps/solvane.png").arg(size)))
                .size(),
            QSize(size, size));
}

TEST_F(Installed, StartsWearingTheSilenceSkinFromShareSolvane) {
    qputenv("SOLVANE_BINARY", path("bin/solvane").toUtf8());
    ScreenSession screen;
    // No session bus: the installed player runs on its own, whatever else runs on this machine.
    ASSERT_TRUE(screen.Start({QStringLiteral("DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent")}))
        << "the installed player's window did not appear";
    QThread::msleep(400);
    const QImage shot = screen.Screenshot(QStringLiteral("installed.png"));
    const QImage silence =
        QImage(source("skins/silence/main.bmp")).convertToFormat(QImage::Format_RGB32);
    const QImage builtIn =
        QImage(source("resources/builtin/main.bmp")).convertToFormat(QImage::Format_RGB32);
    // Bare body of the main bitmap at the left and right edges and below the transport row.
    for (const QPoint p : {QPoint(6, 60), QPoint(268, 60), QPoint(137, 112)}) {
        ASSERT_NE(silence.pixel(p), builtIn.pixel(p)) << "a point that tells the skins apart";
        EXPECT_EQ(shot.pixel(screen.MainWindow().topLeft() + p), silence.pixel(p))
            << p.x() << "," << p.y();
    }
}

TEST_F(Installed, MenuEntryAndAppStreamFilePassTheirValidators) {
    const Result desktop =
        run("desktop-file-validate", {path("share/applications/solvane.desktop")});
    EXPECT_EQ(desktop.exitCode, 0);
    EXPECT_EQ((desktop.out + desktop.err).toStdString(), "") << "no warnings or hints either";
    const Result appstream = run(
        "appstreamcli",
        {"validate", "--no-net", path("share/metainfo/io.github.solvane.Solvane.metainfo.xml")});
    EXPECT_EQ(appstream.exitCode, 0) << appstream.out.toStdString();
    const Result mime = run("update-mime-database", {path("share/mime")},
                            {QStringLiteral("XDG_DATA_DIRS=") + path("share")});
    EXPECT_EQ(mime.exitCode, 0) << mime.err.toStdString();
    EXPECT_EQ(mime.err.toStdString(), "") << "the MIME package is read without complaint";
}

TEST_F(Installed, TheMenuEntryOffersEveryTypeThePlayerOpens) {
    const auto entry = desktopEntry(path("share/applications/solvane.desktop"));
    EXPECT_EQ(entry.value("Exec"), QStringLiteral("solvane %U"));
    EXPECT_EQ(entry.value("Icon"), QStringLiteral("solvane"));
    EXPECT_EQ(entry.value("Name"), QStringLiteral("Solvane"));
    EXPECT_EQ(entry.value("GenericName"), QStringLiteral("Media Player"));
    const QStringList offered = entry.value("MimeType").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QStringList categories =
        entry.value("Categories").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const char* category : {"AudioVideo", "Audio", "Video", "Player"})
        EXPECT_TRUE(categories.contains(QLatin1String(category))) << category;

    // What a file manager calls each extension of the types table must be in the list (".dat"
    // names all kinds of files: see below).
    QMimeDatabase db;
    for (const auto& type : MediaTypes::All())
        for (const QString& extension : type.extensions) {
            if (extension == QLatin1String("dat"))
                continue;
            QStringList known;
            for (const QMimeType& candidate : db.mimeTypesForFileName("a." + extension))
                known << candidate.name() << candidate.aliases();
            EXPECT_TRUE(std::any_of(known.begin(), known.end(),
                                    [&](const QString& name) { return offered.contains(name); }))
                << extension.toStdString() << " is " << known.join(',').toStdString();
        }
    // ".dat" names all kinds of files, so a Video CD track is known by its content.
    QTemporaryDir dir;
    QFile track(dir.filePath("AVSEQ01.DAT"));
    ASSERT_TRUE(track.open(QIODevice::WriteOnly));
    track.write(QByteArray("RIFF\x24\x10\x00\x00"
                           "CDXAfmt ",
                           16) +
                QByteArray(512, '\0'));
    track.close();
    EXPECT_EQ(db.mimeTypeForFile(track.fileName()).name(), QStringLiteral("video/x-vcd"));
    EXPECT_TRUE(offered.contains(QStringLiteral("video/x-vcd")));
}

TEST_F(Installed, PlaylistsAreKnownByNameAndByContent) {
    QMimeDatabase db;
    QTemporaryDir dir;
    QFile playlist(dir.filePath("saved-without-extension"));
    ASSERT_TRUE(playlist.open(QIODevice::WriteOnly));
    playlist.write("<SLV Version = \"1.1\" >\r\n\r\n<Param Name = \"Name\" Value = \"x\" />\r\n");
    playlist.close();
    EXPECT_EQ(db.mimeTypeForFile(playlist.fileName()).name(),
              QStringLiteral("audio/x-solvane-playlist"));
    EXPECT_EQ(db.mimeTypeForFile("list.slv", QMimeDatabase::MatchExtension).name(),
              QStringLiteral("audio/x-solvane-playlist"));
    EXPECT_TRUE(db.mimeTypeForName("audio/x-solvane-playlist").inherits("text/plain"));
    // Any other ".dat" stays what it was.
    QFile notes(dir.filePath("notes.dat"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("plain words, no video here\n");
    notes.close();
    EXPECT_NE(db.mimeTypeForFile(notes.fileName()).name(), QStringLiteral("video/x-vcd"));
}

TEST_F(Installed, TheManualRendersAndDocumentsCommandLineKeysAndFiles) {
    const Result man = run("man", {"--warnings", "-l", path("share/man/man1/solvane.1.gz")},
                           {"MANPAGER=cat", "MANWIDTH=80", "LC_ALL=C.UTF-8"});
    EXPECT_EQ(man.exitCode, 0);
    EXPECT_EQ(man.err.toStdString(), "") << "groff warns of nothing";
    for (const char* text : {"--help", "--version", "--new-instance", "file://", "Page Up",
                             "Ctrl+S", "default.ini", "skins", ".slv", "region.txt"})
        EXPECT_TRUE(man.out.contains(QLatin1String(text))) << text;
}

}  // namespace
