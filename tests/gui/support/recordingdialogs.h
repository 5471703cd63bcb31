#pragma once

#include "ui/platform/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

// Dialogs that answer with prepared paths and record every request and
// message, for driving the windows in tests.
class RecordingDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        QString title;
        Icon icon;
    };
    struct Request {
        QString title;
        QString filter;
        QString startFolder;
    };

    // The answers of the next file and folder dialogs, in order; an empty
    // answer (or none left) is a cancelled dialog.
    QStringList workbookAnswers;
    QStringList folderAnswers;
    QStringList saveAnswers;

    QList<Request> workbookRequests;
    QList<Request> folderRequests;
    QList<Request> saveRequests;
    QList<Message> messages;
    // The answers of the next questions with options, in order (-1
    // cancels, as does none left); the questions asked.
    QList<int> choiceAnswers;
    QList<Message> choices;
    // The shares set in the next questions with a share, in order (none
    // left: the share offered is kept); the shares offered.
    QList<double> shareAnswers;
    QList<double> sharesOffered;
    int endProgramCalls = 0;

    QString openWorkbook(const QString& title, const QString& filter,
                         const QString& startFolder) override;
    QString pickFolder(const QString& title, const QString& startFolder) override;
    QString saveFile(const QString& title, const QString& filter,
                     const QString& suggestedPath) override;
    void message(const QString& text, const QString& title, Icon icon) override;
    int choose(const QString& text, const QString& title, const QStringList& options) override;
    int chooseWithShare(const QString& text, const QString& title, const QStringList& options,
                        const QString& label, double& share) override;
    void endProgram() override;

    // The texts of the recorded messages, in order.
    QStringList messageTexts() const;
};
