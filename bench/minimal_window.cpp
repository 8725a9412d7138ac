// One frameless 275 x 116 window and nothing else, to compare the player's start-up against.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("minimalwindow"));
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(275, 116);
    window.show();
    return app.exec();
}
