#include "record/recordcheck.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {} // namespace

QString settingsMismatch(const QJsonObject& settings, const QJsonObject& expected) {
    const QJsonValue structure = settings.value(QLatin1StringView("structure"));
    const bool onMatrix =
        !structure.isUndefined() || settings.value(QLatin1StringView("structureUnused")).toBool();
    if (!onMatrix)
        return QString();
    if (!structure.isUndefined() &&
        structure.toString() != expected.value(QLatin1StringView("structure")).toString())
        return structure.toString().isEmpty()
                   ? QCoreApplication::translate("Record", "calcolato senza struttura")
                   : QCoreApplication::translate("Record", "calcolato con la struttura %1")
                         .arg(structure.toString());
    const QJsonValue treated = settings.value(QLatin1StringView("outliersChanged"));
    const QJsonValue treatedNow = expected.value(QLatin1StringView("outliersChanged"));
    if (treated.isUndefined() != treatedNow.isUndefined())
        return treated.isUndefined()
                   ? QCoreApplication::translate(
                         "Record", "calcolato sulla matrice prima del trattamento degli "
                                   "anomali")
                   : QCoreApplication::translate(
                         "Record", "calcolato sulla matrice trattata per gli anomali");
    if (treated.toInt() != treatedNow.toInt())
        return QCoreApplication::translate("Record",
                                           "calcolato su un altro trattamento degli anomali");
    for (const char* key : {"missing", "minCoverage"})
        if (settings.value(QLatin1StringView(key)) != expected.value(QLatin1StringView(key)))
            return QCoreApplication::translate(
                "Record", "calcolato con un altro trattamento dei valori mancanti");
    return QString();
}

Regional regionalOfEntry(const RecordEntry& entry, const Regional& current) {
    if (entry.locale.isEmpty() || entry.locale == current.locale().name())
        return current;
    return Regional(entry.locale == QLatin1StringView("C") ? QLocale::c() : QLocale(entry.locale));
}

RecordCheck::RecordCheck(const QString& strMatrice, const Regional& current,
                         std::optional<QJsonObject> expected)
    : m_workbook(strMatrice), m_current(current), m_expected(std::move(expected)) {
    Expected<Record> record = readRecord(strMatrice);
    if (record)
        m_record = std::move(*record);
    else
        m_problem = record.error().message;
}

void RecordCheck::expectAsOf(const QString& path) {
    if (m_expected)
        return;
    if (const RecordEntry* entry = m_record.find(path))
        m_expected = entry->settings;
}

Currency RecordCheck::check(const QString& path) {
    Currency currency = currencyOf(m_workbook, m_record, path, m_hashes);
    if (currency.current() && m_expected) {
        const QString mismatch = settingsMismatch(currency.entry->settings, *m_expected);
        if (!mismatch.isEmpty()) {
            currency.state = Currency::State::Stale;
            currency.reason = mismatch;
        }
    }
    return currency;
}

Regional RecordCheck::regionalOf(const QString& path) const {
    const RecordEntry* entry = m_record.find(path);
    return entry ? regionalOfEntry(*entry, m_current) : m_current;
}
