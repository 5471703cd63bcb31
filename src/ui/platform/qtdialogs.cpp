#include "ui/platform/qtdialogs.h"

#include "shared/resultnames.h"
#include "ui/platform/imagesizedialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

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

int QtDialogs::chooseWithShare(const QString& text, const QString& title,
                               const QStringList& options, const QString& label, double& share) {
    QDialog dialog(parentWindow());
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* question = new QLabel(text, &dialog);
    question->setWordWrap(true);
    layout->addWidget(question);
    auto* shareRow = new QHBoxLayout;
    auto* percent = new QDoubleSpinBox(&dialog);
    percent->setObjectName(QStringLiteral("spinQuota"));
    percent->setRange(0.0, 100.0);
    percent->setDecimals(0);
    percent->setSingleStep(5.0);
    percent->setSuffix(QStringLiteral(" %"));
    percent->setValue(share * 100.0);
    auto* shareLabel = new QLabel(label, &dialog);
    shareLabel->setBuddy(percent);
    shareRow->addWidget(shareLabel);
    shareRow->addWidget(percent);
    shareRow->addStretch(1);
    layout->addLayout(shareRow);
    auto* buttons = new QDialogButtonBox(&dialog);
    int chosen = -1;
    for (qsizetype k = 0; k < options.size(); ++k) {
        QPushButton* button = buttons->addButton(options[k], QDialogButtonBox::AcceptRole);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&chosen, k] { chosen = int(k); });
    }
    buttons->addButton(QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || chosen < 0)
        return -1;
    share = percent->value() / 100.0;
    return chosen;
}

void QtDialogs::endProgram() {
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}
