#include "ui/StandardDialogs.h"

#include "ui/DlgAbout.h"
#include "ui/DlgAuto.h"
#include "ui/DlgBook.h"
#include "ui/DlgHistory.h"
#include "ui/DlgImportBook.h"
#include "ui/DlgConfig.h"
#include "ui/DlgQuestion.h"
#include "ui/DlgRange.h"
#include "ui/DlgSentence.h"
#include "res/UiText.h"

#include "quiz/ClassNames.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

bool StandardDialogs::ChangeBook(Model& model, QWidget* owner)
{
    DlgBook dialog(model, owner);
    return dialog.exec() == QDialog::Accepted;
}

bool StandardDialogs::SelectQuestions(Model& model, QWidget* owner)
{
    DlgQuestion dialog(model, owner);
    return dialog.exec() == QDialog::Accepted;
}

bool StandardDialogs::SelectRange(Model& model, QWidget* owner)
{
    DlgRange dialog(model, owner);
    return dialog.exec() == QDialog::Accepted;
}

bool StandardDialogs::SelectSentences(
    Model& model, const QuestionUnit& unit, std::vector<const Sentence*>& chosen, QWidget* owner)
{
    DlgSentence dialog(model, unit, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    chosen = dialog.Sentences();
    return true;
}

bool StandardDialogs::EditAutoSelectOptions(AutoSelectOptions& options, bool randomizeAllowed, QWidget* owner)
{
    DlgAuto dialog(options, randomizeAllowed, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.Options();
    return true;
}

bool StandardDialogs::EditPrintOptions(PrintOptions& options, QWidget* owner)
{
    DlgConfig dialog(options, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.Options();
    return true;
}

void StandardDialogs::ShowAbout(QWidget* owner)
{
    DlgAbout dialog(owner);
    dialog.exec();
}

QString StandardDialogs::ImportBook(QWidget* owner)
{
    DlgImportBook dialog(nullptr, owner);
    return dialog.exec() == QDialog::Accepted ? dialog.WrittenBook() : QString();
}

void StandardDialogs::ShowHistory(Model& model, const QString& historyFile, QWidget* owner)
{
    DlgHistory dialog(model, historyFile, owner);
    dialog.exec();
}

QString StandardDialogs::ChoosePdfFile(const QString& suggested, QWidget* owner)
{
    return QFileDialog::getSaveFileName(owner, Res::Text::SavePdfCaption, suggested, Res::Text::SavePdfFilter);
}

QString StandardDialogs::ChooseExportFile(const QString& suggested, ExportFormat::Kind& format, QWidget* owner)
{
    const QList<ExportFormat::Kind> kinds = ExportFormat::All();
    const QStringList filters = {Res::Text::ExportFilterPage, Res::Text::ExportFilterMoodle,
        Res::Text::ExportFilterGift, Res::Text::ExportFilterQti, Res::Text::ExportFilterKey};
    QString selected = filters.value(kinds.indexOf(format), filters.front());
    const QString file = QFileDialog::getSaveFileName(
        owner, Res::Text::ExportCaption, suggested, filters.join(QStringLiteral(";;")), &selected);
    format = kinds.value(filters.indexOf(selected), format);
    return file;
}

bool StandardDialogs::EditClassName(QString& name, QWidget* owner)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(Res::Text::RenameCaption);
    dialog.setLabelText(Res::Text::RenamePrompt);
    dialog.setTextValue(name);
    if (auto* field = dialog.findChild<QLineEdit*>())
        field->setMaxLength(ClassNames::kMaxLength);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = ClassNames::Clean(dialog.textValue());
    return true;
}
