#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The file dialogs: open and save, one file at a time, with filters in the "description|pattern"
// form. Reading FileName empties it, so a cancelled dialog reads as an empty name.
class CommonDialog {
  public:
    void SetFileName(const QString& sFileName) { fileName_ = sFileName; }
    QString FileName();
    void SetFilter(const QString& sFilter) { filter_ = sFilter; }
    QString Filter() const { return filter_; }
    void SetFileTitle(const QString& sFileTitle) { fileTitle_ = sFileTitle; }
    QString FileTitle() const { return fileTitle_; }
    void SetDialogTitle(const QString& sDialogTitle) { dialogTitle_ = sDialogTitle; }
    QString DialogTitle() const { return dialogTitle_; }
    void SetInitDir(const QString& sInitDir) { initDir_ = sInitDir; }
    QString InitDir() const { return initDir_; }
    // Stored without dots.
    void SetDefaultExt(const QString& sDefaultExt);
    QString DefaultExt() const { return defaultExt_; }

    void ShowOpen();
    void ShowSave();

    // Where the dialog opens: InitDir when one is set, else the folder last used in this run.
    QString StartFolder() const;

    // "Description (patterns)" filters as the dialog shows them, the first pair first.
    QStringList NameFilters() const;

    // Tests answer the dialog instead of a user: given the dialog's settings and whether it
    // saves, the path chosen, or empty for a cancel.
    using Answer = std::function<QString(const CommonDialog&, bool save)>;
    static void SetAnswerForTests(Answer answer);

    QWidget* Owner = nullptr;

  private:
    void show(bool save);
    QString ask(bool save) const;

    QString fileName_;
    QString filter_;
    QString fileTitle_;
    QString dialogTitle_;
    QString initDir_;
    QString defaultExt_ = QStringLiteral("txt");
};
