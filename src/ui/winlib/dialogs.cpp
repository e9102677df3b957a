// The seams behind which the file and colour dialogs sit, and the Qt dialogs behind them.

#include "ui/winlib/preview_file_dialog.h"
#include "ui/winlib/winlib.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>

namespace zol::winlib {

namespace {

QtDialogPresenter& Qt_Presenter()
{
    static QtDialogPresenter presenter;
    return presenter;
}

DialogPresenter*& Installed()
{
    static DialogPresenter* presenter = &Qt_Presenter();
    return presenter;
}

} // namespace

QStringList File_Dialog_Filters(const QStringList& pairs)
{
    QStringList filters;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        QStringList patterns = pairs[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        }
        filters << QStringLiteral("%1 (%2)").arg(pairs[i], patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

DialogPresenter* Dialogs()
{
    return Installed();
}

DialogPresenter* Set_Dialog_Presenter(DialogPresenter* presenter)
{
    DialogPresenter* previous = Installed();
    Installed() = presenter ? presenter : &Qt_Presenter();
    return previous;
}

std::optional<QString> Choose_File(QWidget* owner, const FileDialogRequest& request)
{
    return Dialogs()->Choose_File(owner, request);
}

std::optional<QColor> Choose_Colour(QWidget* owner, const QColor& initial)
{
    return Dialogs()->Choose_Colour(owner, initial);
}

// ---- Qt dialogs -----------------------------------------------------------------------------

void Fit_Columns(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!view || !model) return;
    const auto fit = [view] {
        for (int column = 0; column < view->header()->count(); ++column) view->resizeColumnToContents(column);
    };
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, fit);
    fit();
}

std::optional<QString> QtDialogPresenter::Choose_File(QWidget* owner, const FileDialogRequest& request)
{
    std::unique_ptr<QFileDialog> dialog;
    if (request.preview && !request.save) dialog = std::make_unique<PreviewFileDialog>(owner);
    else dialog = std::make_unique<QFileDialog>(owner);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setWindowTitle(request.title);
    dialog->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = File_Dialog_Filters(request.filters);
    if (!filters.isEmpty()) dialog->setNameFilters(filters);
    if (!request.button_text.isEmpty()) dialog->setLabelText(QFileDialog::Accept, request.button_text);
    if (!request.directory.isEmpty()) dialog->setDirectory(request.directory);
    if (!request.initial_file.isEmpty()) dialog->selectFile(request.initial_file);
    // Room for the size and date columns without cutting them short, each as wide as what it
    // shows once the folder is read.
    dialog->resize(dialog->sizeHint().expandedTo(QSize(820, 500)));
    Fit_Columns(*dialog);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.first();
}

std::optional<QColor> QtDialogPresenter::Choose_Colour(QWidget* owner, const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, owner);
    if (!colour.isValid()) return std::nullopt;
    return colour;
}

} // namespace zol::winlib
