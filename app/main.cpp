#include <QApplication>
#include <clocale>

#include "app/Forms.h"
#include "app/frmMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("solvane"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Solvane"));
    // The media library refuses to start under any other numeric locale.
    std::setlocale(LC_NUMERIC, "C");

    Forms forms;
    forms.Main().show();
    return app.exec();
}
