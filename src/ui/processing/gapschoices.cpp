#include "ui/processing/gapschoices.h"

#include "ui/platform/dialogs.h"
#include "ui/platform/usersettings.h"
#include "ui/platform/windowsetup.h"
#include "workflow/gapsfiles.h"

#include <QCoreApplication>

#include <vector>

QString GapsChoices::coverageLabel() {
    return QCoreApplication::translate("IndiceMP", "&Copertura minima:");
}

void GapsChoices::setFor(const QString& workbook) {
    const auto chosen = m_choices.find(workbook);
    MissingChoice missing;
    if (chosen != m_choices.end())
        missing = chosen->second;
    else if (const auto kept = UserSettings::missingTreatment(workbook))
        missing.treatment = *kept;
    m_processing.setMissingChoice(missing);
}

void GapsChoices::keep(const QString& workbook, const MissingChoice& choice) {
    m_choices[workbook] = choice;
    UserSettings::setMissingTreatment(workbook, choice.treatment);
    m_processing.setMissingChoice(choice);
}

bool GapsChoices::ask(const QString& workbook, const QString& question, bool offerNone,
                      MissingChoice choice) {
    QStringList options;
    std::vector<MissingTreatment> treatments;
    for (const MissingTreatment treatment : kMissingTreatments) {
        if (treatment == MissingTreatment::Refuse && !offerNone)
            continue;
        treatments.push_back(treatment);
        options.append(treatment == MissingTreatment::Refuse
                           ? QCoreApplication::translate("IndiceMP", "Nessun trattamento")
                           : missingTreatmentLabel(treatment));
    }
    const int chosen = m_dialogs.chooseWithShare(question, childWindowTitle(), options,
                                                 coverageLabel(), choice.minCoverage);
    if (chosen < 0)
        return false;
    choice.treatment = treatments[std::size_t(chosen)];
    keep(workbook, choice);
    return true;
}

bool GapsChoices::chooseAfterRefusal(const QString& workbook) {
    const std::shared_ptr<const GapsRecord> gaps = m_processing.gaps();
    if (!gaps || gaps->treatment != MissingTreatment::Refuse || gaps->coverage.missingCells() == 0)
        return false;
    return ask(workbook,
               gapsQuestion(gaps->coverage, m_regional) + QStringLiteral("\n\n") +
                   QCoreApplication::translate(
                       "IndiceMP", "Gli indicatori e le unità con una quota di valori disponibili "
                                   "inferiore alla copertura minima sono esclusi; i valori "
                                   "riempiti non cambiano la cartella di lavoro."),
               false, MissingChoice());
}

bool GapsChoices::change(const QString& workbook) {
    return ask(workbook,
               QCoreApplication::translate(
                   "IndiceMP", "Trattamento dei valori mancanti: la matrice sarà riletta e i "
                               "risultati andranno ricalcolati. Con un trattamento, gli "
                               "indicatori e le unità con una quota di valori disponibili "
                               "inferiore alla copertura minima sono esclusi."),
               true, m_processing.missingChoice());
}

QString GapsChoices::summary() const {
    const std::shared_ptr<const GapsRecord> gaps = m_processing.gaps();
    if (!gaps || gaps->treatment == MissingTreatment::Refuse)
        return QString();
    // Then what was left out, named as the batch tool names it.
    QStringList lines = gapsSummary(*gaps, m_regional);
    lines.front() =
        QCoreApplication::translate("IndiceMP", "%1; trattamento: %2")
            .arg(gapsCount(gaps->coverage, m_regional), missingTreatmentLabel(gaps->treatment));
    return lines.join(u'\n');
}
