#include "record/record.h"

#include "shared/resultnames.h"
#include "shared/textfile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

const char* roleName(InputRole role) {
    switch (role) {
    case InputRole::Matrix:
        return "matrix";
    case InputRole::Structure:
        return "structure";
    case InputRole::Composites:
        return "composites";
    case InputRole::Together:
        return "together";
    case InputRole::File:
        break;
    }
    return "file";
}

InputRole roleOf(const QString& name) {
    if (name == QLatin1StringView("matrix"))
        return InputRole::Matrix;
    if (name == QLatin1StringView("structure"))
        return InputRole::Structure;
    if (name == QLatin1StringView("composites"))
        return InputRole::Composites;
    if (name == QLatin1StringView("together"))
        return InputRole::Together;
    return InputRole::File;
}

QStringList stringsOf(const QJsonArray& array) {
    QStringList strings;
    for (const QJsonValue& value : array)
        strings.append(value.toString());
    return strings;
}

// The entry of a JSON object; nothing when it lacks its hash.
std::optional<RecordEntry> entryOf(const QJsonObject& object) {
    RecordEntry entry;
    entry.sha256 = object.value(QLatin1StringView("sha256")).toString().toLatin1();
    if (entry.sha256.isEmpty())
        return std::nullopt;
    entry.written = object.value(QLatin1StringView("written")).toString();
    entry.by = object.value(QLatin1StringView("by")).toString();
    entry.arguments = stringsOf(object.value(QLatin1StringView("arguments")).toArray());
    entry.program = object.value(QLatin1StringView("program")).toString();
    entry.decimal = object.value(QLatin1StringView("decimal")).toString();
    entry.locale = object.value(QLatin1StringView("locale")).toString();
    for (const QJsonValue& value : object.value(QLatin1StringView("inputs")).toArray()) {
        const QJsonObject input = value.toObject();
        entry.inputs.push_back({input.value(QLatin1StringView("name")).toString(),
                                input.value(QLatin1StringView("sha256")).toString().toLatin1(),
                                roleOf(input.value(QLatin1StringView("role")).toString())});
    }
    entry.settings = object.value(QLatin1StringView("settings")).toObject();
    return entry;
}

QJsonObject objectOf(const RecordEntry& entry) {
    QJsonArray inputs;
    for (const RecordInput& input : entry.inputs)
        inputs.append(
            QJsonObject{{QStringLiteral("name"), input.name},
                        {QStringLiteral("sha256"), QString::fromLatin1(input.sha256)},
                        {QStringLiteral("role"), QString::fromLatin1(roleName(input.role))}});
    QJsonObject object{{QStringLiteral("sha256"), QString::fromLatin1(entry.sha256)},
                       {QStringLiteral("written"), entry.written},
                       {QStringLiteral("by"), entry.by},
                       {QStringLiteral("program"), entry.program},
                       {QStringLiteral("decimal"), entry.decimal},
                       {QStringLiteral("locale"), entry.locale},
                       {QStringLiteral("inputs"), inputs},
                       {QStringLiteral("settings"), entry.settings}};
    if (!entry.arguments.isEmpty())
        object.insert(QStringLiteral("arguments"), QJsonArray::fromStringList(entry.arguments));
    return object;
}

// An input's path: bare names are beside the workbook.
QString inputPath(const QString& strMatrice, const QString& name) {
    return QFileInfo(name).isAbsolute() ? name : QFileInfo(strMatrice).dir().filePath(name);
}

} // namespace

const RecordEntry* Record::find(const QString& name) const {
    const auto found = entries.find(QFileInfo(name).fileName());
    return found == entries.end() ? nullptr : &found->second;
}

QString recordPath(const QString& strMatrice) {
    return resultFileName(strMatrice, ResultFileKind::Record);
}

Status recordReadable(const QString& strMatrice) {
    if (const Expected<Record> record = readRecord(strMatrice); !record)
        return record.error();
    return {};
}

Expected<Record> readRecord(const QString& strMatrice) {
    const QString path = recordPath(strMatrice);
    Record record;
    Expected<std::optional<QByteArray>> bytes = readBoundedFile(path, kMaxRecordBytes);
    if (!bytes)
        return std::move(bytes).error();
    if (!*bytes)
        return record;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(**bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return failure(FailureKind::File,
                       QCoreApplication::translate(
                           "Record",
                           "Il registro %1 non è leggibile (%2): eliminarlo per ricominciare "
                           "il registro.")
                           .arg(native(path), error.errorString()));
    const QJsonObject files = document.object().value(QLatin1StringView("files")).toObject();
    for (auto it = files.begin(); it != files.end(); ++it)
        if (std::optional<RecordEntry> entry = entryOf(it.value().toObject()))
            record.entries.emplace(it.key(), std::move(*entry));
    return record;
}

QByteArray recordBytes(const Record& record) {
    QJsonObject files;
    for (const auto& [name, entry] : record.entries)
        files.insert(name, objectOf(entry));
    return QJsonDocument(QJsonObject{{QStringLiteral("files"), files}})
        .toJson(QJsonDocument::Indented);
}

QByteArray fileSha256(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

QByteArray HashCache::sha256(const QString& path) {
    const QString key = QFileInfo(path).absoluteFilePath();
    const auto found = m_hashes.find(key);
    if (found != m_hashes.end())
        return found->second;
    return m_hashes[key] = fileSha256(key);
}

void HashCache::remember(const QString& path, const QByteArray& sha256) {
    m_hashes[QFileInfo(path).absoluteFilePath()] = sha256;
}

namespace {

Currency currencyOf(const QString& strMatrice, const Record& record, const QString& path,
                    HashCache& hashes, QStringList& seen);

} // namespace

Currency currencyOf(const QString& strMatrice, const Record& record, const QString& path,
                    HashCache& hashes) {
    QStringList seen;
    return currencyOf(strMatrice, record, path, hashes, seen);
}

namespace {

Currency currencyOf(const QString& strMatrice, const Record& record, const QString& path,
                    HashCache& hashes, QStringList& seen) {
    seen.append(QFileInfo(path).fileName());
    Currency currency;
    currency.entry = record.find(path);
    if (!currency.entry)
        return currency;
    const RecordEntry& entry = *currency.entry;
    currency.state = Currency::State::Stale;
    if (hashes.sha256(path) != entry.sha256) {
        currency.reason = QCoreApplication::translate("Record", "modificato dopo il calcolo");
        return currency;
    }
    for (const RecordInput& input : entry.inputs) {
        if (hashes.sha256(inputPath(strMatrice, input.name)) == input.sha256)
            continue;
        switch (input.role) {
        case InputRole::Matrix:
            currency.reason = QCoreApplication::translate(
                "Record", "calcolato su un'altra versione della matrice");
            break;
        case InputRole::Structure:
            currency.reason = QCoreApplication::translate("Record", "calcolato con la struttura %1")
                                  .arg(input.name);
            break;
        case InputRole::Composites:
            currency.reason =
                QCoreApplication::translate("Record", "calcolato con un'altra definizione dei "
                                                      "metodi personalizzati in %1")
                    .arg(input.name);
            break;
        case InputRole::File:
            currency.reason =
                QCoreApplication::translate("Record", "calcolato da %1, cambiato dopo")
                    .arg(input.name);
            break;
        case InputRole::Together:
            currency.reason = QCoreApplication::translate(
                                  "Record", "scritto con %1, che è stato riscritto senza di esso")
                                  .arg(input.name);
            break;
        }
        return currency;
    }
    // A file computed from a recorded file that is itself behind is behind.
    for (const RecordInput& input : entry.inputs) {
        if (input.role != InputRole::File || seen.contains(input.name) || !record.find(input.name))
            continue;
        const Currency read =
            currencyOf(strMatrice, record, inputPath(strMatrice, input.name), hashes, seen);
        if (read.state == Currency::State::Stale) {
            currency.reason =
                QCoreApplication::translate("Record", "calcolato da %1, che è da ricalcolare")
                    .arg(input.name);
            return currency;
        }
    }
    currency.state = Currency::State::Current;
    return currency;
}

} // namespace

QString unrecordedNotice(const QString& path) {
    return QCoreApplication::translate(
               "Record", "Origine di %1 non verificabile: il file non è nel registro.")
        .arg(QFileInfo(path).fileName());
}

QString staleNotice(const QString& path, const Currency& currency) {
    return QCoreApplication::translate("Record", "%1: %2.")
        .arg(QFileInfo(path).fileName(), currency.reason);
}
