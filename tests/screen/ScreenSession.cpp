#include "ScreenSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

const QRgb ScreenSession::kDesktop = qRgb(0x3a, 0x6e, 0xa5);

ScreenSession::ScreenSession() {
    Run(QStringLiteral("xsetroot"), {QStringLiteral("-solid"), QStringLiteral("#3a6ea5")});
}

ScreenSession::~ScreenSession() {
    if (player_.state() != QProcess::NotRunning) {
        player_.terminate();
        if (!player_.waitForFinished(5000))
            player_.kill();
        player_.waitForFinished(2000);
    }
}

QString ScreenSession::Run(const QString& program, const QStringList& arguments, int timeoutMs) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool ScreenSession::Start(const QStringList& extraEnvironment, QSize mainSize,
                          const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    for (const QString& pair : extraEnvironment) {
        const auto eq = pair.indexOf(QLatin1Char('='));
        if (eq == pair.size() - 1)
            env.remove(pair.left(eq));  // "NAME=": not set at all
        else
            env.insert(pair.left(eq), pair.mid(eq + 1));
    }
    player_.setProcessEnvironment(env);
    player_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player_.start(qEnvironmentVariable("SOLVANE_BINARY"), arguments);
    if (!player_.waitForStarted(10000))
        return false;
    mainWindow_ = WindowOfSize(mainSize, 20000, &mainWindowId_);
    return !mainWindow_.isEmpty();
}

void ScreenSession::Click(QPoint inMainWindow) const {
    const QPoint at = mainWindow_.topLeft() + inMainWindow;
    Run("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())});
    QThread::msleep(50);
    Run("xdotool", {"click", "1"});
}

void ScreenSession::Type(const QString& text) {
    Run("xdotool", {"type", "--delay", "10", text});
}

void ScreenSession::Key(const QString& key) {
    Run("xdotool", {"key", key});
}

bool ScreenSession::WaitForTitle(const QString& title, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (!Run("xdotool", {"search", "--onlyvisible", "--name", title}).trimmed().isEmpty())
            return true;
        QThread::msleep(100);
    }
    return false;
}

QString ScreenSession::Title(const QString& windowId) {
    const QString said = Run(QStringLiteral("xprop"),
                             {QStringLiteral("-id"), windowId, QStringLiteral("_NET_WM_NAME")});
    const qsizetype quote = said.indexOf(QLatin1Char('"'));
    return quote < 0 ? QString() : said.mid(quote + 1).section(QLatin1Char('"'), 0, 0);
}

QRect ScreenSession::WindowOfSize(QSize size, int timeoutMs, QString* foundId) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString ids = Run(QStringLiteral("xdotool"),
                                {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                 QStringLiteral("--class"), QStringLiteral("solvane")});
        for (const QString& id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString info =
                Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id.trimmed()});
            const auto number = [&info](const char* label) {
                const QRegularExpression re(QLatin1String(label) + QStringLiteral(":\\s+(-?\\d+)"));
                return re.match(info).captured(1).toInt();
            };
            const QRect r(number("Absolute upper-left X"), number("Absolute upper-left Y"),
                          number("Width"), number("Height"));
            if (r.size() == size) {
                if (foundId)
                    *foundId = id.trimmed();
                return r;
            }
        }
        QThread::msleep(100);
    }
    return QRect();
}

QImage ScreenSession::Screenshot(const QString& keepAs) const {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/shot.png");
    Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
    QImage shot(file);
    if (!keepAs.isEmpty()) {
        const QString folder = qEnvironmentVariable("SOLVANE_ARTIFACTS", QDir::tempPath());
        QDir().mkpath(folder);
        shot.save(folder + QLatin1Char('/') + keepAs);
    }
    return shot.convertToFormat(QImage::Format_RGB32);
}
