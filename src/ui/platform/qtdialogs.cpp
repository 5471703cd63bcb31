#include "ui/platform/qtdialogs.h"

#include "shared/resultnames.h"
#include "ui/platform/imagesizedialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>

namespace {

QMessageBox::Icon qtIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Hides the files the program wrote beside a workbook (results, analyses,
// exports, charts): they are no matrices. A name typed by hand is still
// taken as the user typed it.
class WrittenFilesHidden : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        return files->isDir(index) || !isWrittenByProgram(files->fileName(index));
    }
};

} // namespace

QWidget* QtDialogs::parentWindow() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

std::unique_ptr<QFileDialog> QtDialogs::workbookDialog(const QString& title, const QString& filter,
                                                       const QString& startFolder,
                                                       QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, startFolder, filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    dialog->setProxyModel(new WrittenFilesHidden(dialog.get()));
    return dialog;
}

std::unique_ptr<QFileDialog> QtDialogs::folderDialog(const QString& title,
                                                     const QString& startFolder, QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, startFolder);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    return dialog;
}

std::unique_ptr<QFileDialog> QtDialogs::saveDialog(const QString& title, const QString& filter,
                                                   const QString& suggestedPath, QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, suggestedPath, filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // A name typed without extension takes that of the chosen filter:
    // "PNG (*.png)" gives "png".
    const auto suffixOf = [](const QString& chosen) {
        const qsizetype star = chosen.indexOf(QStringLiteral("*."));
        return star < 0 ? QString() : chosen.mid(star + 2).section(u')', 0, 0).section(u' ', 0, 0);
    };
    dialog->setDefaultSuffix(suffixOf(filter));
    QFileDialog* const view = dialog.get();
    QObject::connect(
        view, &QFileDialog::filterSelected, view,
        [view, suffixOf](const QString& chosen) { view->setDefaultSuffix(suffixOf(chosen)); });
    return dialog;
}

std::unique_ptr<QMessageBox> QtDialogs::messageBox(const QString& text, const QString& title,
                                                   Icon icon, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(qtIcon(icon), title, text, QMessageBox::Ok, parent);
    box->setDefaultButton(QMessageBox::Ok);
    return box;
}

QString QtDialogs::openWorkbook(const QString& title, const QString& filter,
                                const QString& startFolder) {
    const auto dialog = workbookDialog(title, filter, startFolder, parentWindow());
    if (dialog->exec() != QDialog::Accepted)
        return QString();
    return dialog->selectedFiles().value(0);
}

QString QtDialogs::pickFolder(const QString& title, const QString& startFolder) {
    const auto dialog = folderDialog(title, startFolder, parentWindow());
    if (dialog->exec() != QDialog::Accepted)
        return QString();
    return dialog->selectedFiles().value(0);
}

QString QtDialogs::saveFile(const QString& title, const QString& filter,
                            const QString& suggestedPath) {
    const auto dialog = saveDialog(title, filter, suggestedPath, parentWindow());
    if (dialog->exec() != QDialog::Accepted)
        return QString();
    return dialog->selectedFiles().value(0);
}

bool QtDialogs::askImageSize(ImageSize& size, double aspect) {
    ImageSizeDialog dialog(size, aspect, parentWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    size = dialog.size();
    return true;
}

void QtDialogs::message(const QString& text, const QString& title, Icon icon) {
    messageBox(text, title, icon, parentWindow())->exec();
}

int QtDialogs::choose(const QString& text, const QString& title, const QStringList& options) {
    const auto box = messageBox(text, title, Icon::None, parentWindow());
    box->setIcon(QMessageBox::Question);
    box->setStandardButtons(QMessageBox::NoButton);
    QList<QAbstractButton*> buttons;
    for (const QString& option : options)
        buttons.append(box->addButton(option, QMessageBox::AcceptRole));
    box->setEscapeButton(box->addButton(QMessageBox::Cancel));
    box->exec();
    return int(buttons.indexOf(box->clickedButton()));
}

void QtDialogs::endProgram() {
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}
