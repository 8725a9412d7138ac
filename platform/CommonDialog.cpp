#include "platform/CommonDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "platform/LastFolder.h"

namespace {
CommonDialog::Answer& testAnswer() {
    static CommonDialog::Answer answer;
    return answer;
}
}  // namespace

void CommonDialog::SetAnswerForTests(Answer answer) {
    testAnswer() = std::move(answer);
}

QString CommonDialog::FileName() {
    const QString name = fileName_;
    fileName_.clear();
    return name;
}

void CommonDialog::SetDefaultExt(const QString& sDefaultExt) {
    defaultExt_ = sDefaultExt;
    defaultExt_.remove(QLatin1Char('.'));
}

QStringList CommonDialog::NameFilters() const {
    const QStringList parts = filter_.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns);
    }
    return filters;
}

void CommonDialog::ShowOpen() {
    show(false);
}

void CommonDialog::ShowSave() {
    show(true);
}

QString CommonDialog::StartFolder() const {
    return initDir_.isEmpty() ? LastFolder::Get() : initDir_;
}

void CommonDialog::show(bool save) {
    const QString chosen = testAnswer() ? testAnswer()(*this, save) : ask(save);
    if (chosen.isEmpty())
        return;  // cancelled: the name stays as the last read left it, empty
    fileName_ = chosen;
    fileTitle_ = QFileInfo(fileName_).fileName();
    LastFolder::RememberFile(fileName_);
}

QString CommonDialog::ask(bool save) const {
    QFileDialog dialog(Owner, dialogTitle_, StartFolder());
    // Qt's own dialog behaves the same on every desktop (and can be driven in tests).
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setNameFilters(NameFilters());  // patterns match names without regard to case
    if (!NameFilters().isEmpty())
        dialog.selectNameFilter(NameFilters().first());
    if (save)
        dialog.setDefaultSuffix(defaultExt_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}
