#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <functional>

#include "TestSkin.h"
#include "platform/BrowseFolder.h"
#include "platform/CommonDialog.h"

namespace {

QString g_folder;

// The real dialogs, driven as a user would: `act` gets the dialog once it is on screen.
class RealDialogs : public ::testing::Test {
  protected:
    RealDialogs() {
        CommonDialog::SetAnswerForTests(nullptr);
        modBrowseFolder::SetAnswerForTests(nullptr);
    }
    ~RealDialogs() override {
        CommonDialog::SetAnswerForTests([](const CommonDialog&, bool) { return QString(); });
        modBrowseFolder::SetAnswerForTests([] { return QString(); });
    }

    // Runs `open`, which shows one dialog; returns the folder the dialog opened in.
    QString openedIn(const std::function<void()>& open,
                     const std::function<void(QFileDialog&)>& act = cancel) {
        QString folder;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(widget);
                if (dialog && dialog->isVisible() && folder.isEmpty()) {
                    folder = dialog->directory().absolutePath();
                    act(*dialog);
                }
            }
        });
        poll.start(10);
        QTimer giveUp;  // a dialog that never shows, or never closes, fails instead of hanging
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, [] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(widget))
                    dialog->reject();
        });
        giveUp.start(20000);
        open();
        return folder;
    }
    static void cancel(QFileDialog& dialog) { dialog.reject(); }

    // Answers the next dialogs without showing them.
    static void answerOpen(const QString& path) {
        CommonDialog::SetAnswerForTests([path](const CommonDialog&, bool) { return path; });
    }
    static void answerFolder(const QString& folder) {
        g_folder = folder;
        modBrowseFolder::SetAnswerForTests([] { return g_folder; });
    }
    void realDialogs() {
        CommonDialog::SetAnswerForTests(nullptr);
        modBrowseFolder::SetAnswerForTests(nullptr);
    }

    TestProgramDir dir;
};

TEST_F(RealDialogs, EachDialogOpensInTheFolderLastUsed) {
    const QString films = dir.Make("films");
    const QString music = dir.Make("music");
    CommonDialog add;
    answerOpen(films + "/clip.avi");
    add.ShowOpen();
    EXPECT_EQ(add.FileName(), films + "/clip.avi");
    realDialogs();
    EXPECT_EQ(openedIn([] { modBrowseFolder::BrowseFolder(nullptr); }), films);
    EXPECT_EQ(openedIn([&] { add.ShowOpen(); }), films) << "a cancel does not move it";
    EXPECT_EQ(add.FileName(), "") << "cancelled";
    CommonDialog save;
    EXPECT_EQ(openedIn([&] { save.ShowSave(); }), films);

    answerFolder(music);
    EXPECT_EQ(modBrowseFolder::BrowseFolder(nullptr), music);
    realDialogs();
    EXPECT_EQ(openedIn([&] { add.ShowOpen(); }), music) << "a chosen folder is the folder used";

    save.SetInitDir(films);
    EXPECT_EQ(openedIn([&] { save.ShowSave(); }), films) << "a folder set for the dialog wins";
}

TEST_F(RealDialogs, AFileChosenInTheDialogItselfIsRemembered) {
    const QString shows = dir.Make("shows");
    dir.WriteFile("shows/pilot.avi", "x");
    CommonDialog add;
    add.SetFilter("Video|*.avi");
    openedIn([&] { add.ShowOpen(); },
             [&](QFileDialog& dialog) {
                 // Typed as a whole path: the dialog's own selection, loaded behind the
                 // scenes, cannot put another name in its place before the Open button.
                 dialog.findChild<QLineEdit*>("fileNameEdit")->setText(shows + "/pilot.avi");
                 static_cast<QDialog&>(dialog).accept();  // as the Open button does
             });
    EXPECT_EQ(add.FileName(), shows + "/pilot.avi");
    EXPECT_EQ(openedIn([] { modBrowseFolder::BrowseFolder(nullptr); }), shows);
}

}  // namespace
