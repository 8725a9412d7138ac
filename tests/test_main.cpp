// The shared test entry: one Qt application for every test in the file.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "platform/BrowseFolder.h"
#include "platform/CommonDialog.h"
#include "platform/Screen.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // Layouts are checked at 15 twips a pixel unless a test says otherwise.
    Screen::SetTwipsPerPixel(15, 15);
    // No test waits on a real dialog unless it asks for one: by default every dialog is cancelled.
    CommonDialog::SetAnswerForTests([](const CommonDialog&, bool) { return QString(); });
    modBrowseFolder::SetAnswerForTests([] { return QString(); });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
