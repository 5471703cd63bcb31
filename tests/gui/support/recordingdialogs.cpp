#include "recordingdialogs.h"

QString RecordingDialogs::openWorkbook(const QString& title, const QString& filter,
                                       const QString& startFolder) {
    workbookRequests.append({title, filter, startFolder});
    return workbookAnswers.isEmpty() ? QString() : workbookAnswers.takeFirst();
}

QString RecordingDialogs::pickFolder(const QString& title, const QString& startFolder) {
    folderRequests.append({title, QString(), startFolder});
    return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
}

QString RecordingDialogs::saveFile(const QString& title, const QString& filter,
                                   const QString& suggestedPath) {
    saveRequests.append({title, filter, suggestedPath});
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

void RecordingDialogs::message(const QString& text, const QString& title, Icon icon) {
    messages.append({text, title, icon});
}

int RecordingDialogs::choose(const QString& text, const QString& title,
                             const QStringList& options) {
    choices.append({text + u'\n' + options.join(u'|'), title, Icon::None});
    return choiceAnswers.isEmpty() ? -1 : choiceAnswers.takeFirst();
}

int RecordingDialogs::chooseWithShare(const QString& text, const QString& title,
                                      const QStringList& options, const QString& label,
                                      double& share) {
    sharesOffered.append(share);
    const int chosen = choose(text + u'\n' + label, title, options);
    if (chosen >= 0 && !shareAnswers.isEmpty())
        share = shareAnswers.takeFirst();
    return chosen;
}

void RecordingDialogs::endProgram() {
    ++endProgramCalls;
}

QStringList RecordingDialogs::messageTexts() const {
    QStringList texts;
    for (const Message& m : messages)
        texts.append(m.text);
    return texts;
}
