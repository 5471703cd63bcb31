#include "ui/platform/interfacelanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool englishInterface(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty())
        return false;
    const QString first = uiLanguages.first();
    return first.compare(QStringLiteral("en"), Qt::CaseInsensitive) == 0 ||
           first.startsWith(QStringLiteral("en-"), Qt::CaseInsensitive) ||
           first.startsWith(QStringLiteral("en_"), Qt::CaseInsensitive);
}

bool installInterfaceLanguage(QCoreApplication& app, const QStringList& uiLanguages) {
    auto* translator = new QTranslator(&app);
    const bool english = englishInterface(uiLanguages);
    const bool loaded = english
                            ? translator->load(QStringLiteral(":/i18n/orvalta_en.qm"))
                            : translator->load(QStringLiteral("qtbase_it"),
                                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return english;
}
