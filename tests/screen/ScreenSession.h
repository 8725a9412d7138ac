#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>

// The real player on the test's X screen: started, found by its window class, looked at
// through screenshots of the whole screen, and ended.
class ScreenSession {
  public:
    ScreenSession();
    ~ScreenSession();

    // Starts the player and waits for its main window of the given size. Each extra
    // "NAME=value" sets a variable, and "NAME=" leaves it unset.
    bool Start(const QStringList& extraEnvironment = {}, QSize mainSize = QSize(275, 116),
               const QStringList& arguments = {});
    // The X window id of the main window.
    QString MainWindowId() const { return mainWindowId_; }
    // The window's title as the window manager reads it.
    static QString Title(const QString& windowId);
    // The main window's rectangle on the screen; empty when it did not appear in time.
    QRect MainWindow() const { return mainWindow_; }
    QImage Screenshot(const QString& keepAs = QString()) const;
    QProcess& Player() { return player_; }

    static QString Run(const QString& program, const QStringList& arguments, int timeoutMs = 10000);

    // A click of the left button at a point of the main window.
    void Click(QPoint inMainWindow) const;
    static void Type(const QString& text);
    static void Key(const QString& key);
    // The rectangle of the player's window of this size, empty when none shows in time.
    static QRect WindowOfSize(QSize size, int timeoutMs, QString* id = nullptr);
    // Whether a window with this title shows within the time.
    static bool WaitForTitle(const QString& title, int timeoutMs);
    static const QRgb kDesktop;

  private:
    QProcess player_;
    QRect mainWindow_;
    QString mainWindowId_;
};
