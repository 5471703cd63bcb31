#pragma once

#include "ui/platform/dialogs.h"

#include <memory>

class QFileDialog;
class QMessageBox;
class QWidget;

// The dialogs of the program on Qt Widgets: Qt's own file dialogs (the same
// on every desktop; name filters ignore letter case) and message boxes,
// each parented to the active window.
class QtDialogs : public Dialogs {
public:
    QString openWorkbook(const QString& title, const QString& filter,
                         const QString& startFolder) override;
    QString pickFolder(const QString& title, const QString& startFolder) override;
    QString saveFile(const QString& title, const QString& filter,
                     const QString& suggestedPath) override;
    bool askImageSize(ImageSize& size, double aspect) override;
    void message(const QString& text, const QString& title, Icon icon) override;
    int choose(const QString& text, const QString& title, const QStringList& options) override;
    int chooseWithShare(const QString& text, const QString& title, const QStringList& options,
                        const QString& label, double& share) override;
    void endProgram() override;

    // The dialogs as shown, configured but not yet run. The workbook dialog
    // leaves out the files the program wrote (isWrittenByProgram).
    static std::unique_ptr<QFileDialog> workbookDialog(const QString& title, const QString& filter,
                                                       const QString& startFolder, QWidget* parent);
    static std::unique_ptr<QFileDialog> folderDialog(const QString& title,
                                                     const QString& startFolder, QWidget* parent);
    static std::unique_ptr<QFileDialog> saveDialog(const QString& title, const QString& filter,
                                                   const QString& suggestedPath, QWidget* parent);
    static std::unique_ptr<QMessageBox> messageBox(const QString& text, const QString& title,
                                                   Icon icon, QWidget* parent);

private:
    static QWidget* parentWindow();
};
