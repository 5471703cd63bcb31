#pragma once

#include <QStringList>

class QCoreApplication;

// The language of the windows. The program's texts are written in Italian;
// an English catalogue is embedded in the program.

// True when the first of the user's interface languages (as
// QLocale::system().uiLanguages() lists them from LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG) is English: "en", "en-GB", "en_US". Any other
// language, C and POSIX included, keeps the windows in Italian.
bool englishInterface(const QStringList& uiLanguages);

// Installs in app the translators for the interface languages: the English
// catalogue of the windows when englishInterface() holds, else Qt's own
// Italian texts for its standard buttons and dialogs (when the system has
// them). The translators belong to app. Returns true when the windows speak
// English.
bool installInterfaceLanguage(QCoreApplication& app, const QStringList& uiLanguages);
