#include "ui/platform/usersettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <sys/stat.h>

#include <memory>

namespace {

enum class Store { None, User, File };

Store s_store = Store::None;
QString s_file;

// The one place that names a key, and the one place that opens the store.
const QString kRecent = QStringLiteral("recenti/cartelle");
const QString kGaps = QStringLiteral("mancanti/trattamenti");
const QString kCompared = QStringLiteral("confronto/metodi");
// As many workbooks keep their treatment of missing values as fit here; the
// oldest choice is forgotten first.
constexpr int kGapsLimit = 50;

QString folderKey(UserSettings::Folder which) {
    switch (which) {
    case UserSettings::Folder::Workbook:
        return QStringLiteral("cartelle/matrice");
    case UserSettings::Folder::Destination:
        return QStringLiteral("cartelle/destinazione");
    }
    return QString();
}

QString windowKey(const QString& window, const QString& name) {
    return QStringLiteral("finestre/") + window + u'/' + name;
}

std::unique_ptr<QSettings> open() {
    switch (s_store) {
    case Store::User:
        return std::make_unique<QSettings>(QStringLiteral("Orvalta"), QStringLiteral("Orvalta"));
    case Store::File:
        return std::make_unique<QSettings>(s_file, QSettings::IniFormat);
    case Store::None:
        break;
    }
    return nullptr;
}

QVariant read(const QString& key, const QVariant& fallback = {}) {
    const auto settings = open();
    return settings ? settings->value(key, fallback) : fallback;
}

void write(const QString& key, const QVariant& value) {
    if (const auto settings = open())
        settings->setValue(key, value);
}

// entry at the head of list, once, the list cut at limit; sameEntry tells
// two entries for the same thing.
template <typename Same>
QStringList withHead(QStringList list, const QString& entry, int limit, Same sameEntry) {
    list.removeIf([&](const QString& old) { return sameEntry(old, entry); });
    list.prepend(entry);
    if (list.size() > limit)
        list.resize(limit);
    return list;
}

// A workbook's treatment is kept as "name<TAB>path", its compared methods
// as "CODE,CODE<TAB>path".
QString gapsPath(const QString& entry) {
    return entry.section(u'\t', 1);
}

} // namespace

namespace UserSettings {

QString useUserStore() {
    s_file.clear();
    // Where the settings of organisation and application "Orvalta" are read
    // from: the user's folder of settings, then the system's.
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        for (const QString& name :
             {QStringLiteral("Orvalta/Orvalta.conf"), QStringLiteral("Orvalta.conf")}) {
            const QString path = QDir(folder).filePath(name);
            struct stat info {};
            if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
                s_store = Store::None;
                return QCoreApplication::translate(
                           "UserSettings",
                           "Il file delle impostazioni %1 non è un file regolare: viene "
                           "ignorato, il programma parte con le impostazioni predefinite e non "
                           "le salva.")
                    .arg(QDir::toNativeSeparators(path));
            }
        }
    }
    s_store = Store::User;
    return {};
}

void useFile(const QString& path) {
    s_store = path.isEmpty() ? Store::None : Store::File;
    s_file = path;
}

QStringList recentWorkbooks() {
    QStringList list = read(kRecent).toStringList();
    list.removeAll(QString());
    list.removeDuplicates();
    if (list.size() > kRecentLimit)
        list.resize(kRecentLimit);
    return list;
}

void addRecentWorkbook(const QString& path) {
    write(kRecent, withHead(recentWorkbooks(), path, kRecentLimit,
                            [](const QString& a, const QString& b) { return a == b; }));
}

QString lastFolder(Folder which) {
    return read(folderKey(which)).toString();
}

void setLastFolder(Folder which, const QString& folder) {
    write(folderKey(which), folder);
}

QByteArray windowGeometry(const QString& window) {
    return read(windowKey(window, QStringLiteral("geometria"))).toByteArray();
}

void setWindowGeometry(const QString& window, const QByteArray& geometry) {
    write(windowKey(window, QStringLiteral("geometria")), geometry);
}

QVariant viewChoice(const QString& window, const QString& name, const QVariant& fallback) {
    return read(windowKey(window, name), fallback);
}

void setViewChoice(const QString& window, const QString& name, const QVariant& value) {
    write(windowKey(window, name), value);
}

std::optional<MissingTreatment> missingTreatment(const QString& workbook) {
    for (const QString& entry : read(kGaps).toStringList())
        if (gapsPath(entry) == workbook)
            return missingTreatmentNamed(entry.section(u'\t', 0, 0));
    return std::nullopt;
}

void setMissingTreatment(const QString& workbook, MissingTreatment treatment) {
    const QString entry = missingTreatmentName(treatment) + u'\t' + workbook;
    write(kGaps,
          withHead(read(kGaps).toStringList(), entry, kGapsLimit,
                   [](const QString& a, const QString& b) { return gapsPath(a) == gapsPath(b); }));
}

QStringList comparedMethods(const QString& workbook) {
    for (const QString& entry : read(kCompared).toStringList())
        if (gapsPath(entry) == workbook)
            return entry.section(u'\t', 0, 0).split(u',', Qt::SkipEmptyParts);
    return {};
}

void setComparedMethods(const QString& workbook, const QStringList& codes) {
    const QString entry = codes.join(u',') + u'\t' + workbook;
    write(kCompared,
          withHead(read(kCompared).toStringList(), entry, kGapsLimit,
                   [](const QString& a, const QString& b) { return gapsPath(a) == gapsPath(b); }));
}

} // namespace UserSettings
