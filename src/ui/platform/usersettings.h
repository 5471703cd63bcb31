#pragma once

#include "treatment/missing.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// What the program remembers from one session to the next, each under its
// one key here: the workbooks last opened, the folders of the file dialogs,
// the windows' sizes and places, and the choices made in the windows. Until
// a store is chosen nothing is read back and nothing kept, so that windows
// made outside the program (tests, pictures) always start as new.
namespace UserSettings {

// The user's own settings: organisation "Orvalta", application "Orvalta".
// A settings file at any of the places they are read from that is not a
// regular file (a pipe or a device would keep the program waiting) is not
// opened: nothing is then read or kept, and the Italian warning to print is
// returned (empty when the store is used).
QString useUserStore();
// The settings in the INI file at path (a test's own folder); an empty path
// keeps nothing again.
void useFile(const QString& path);

inline constexpr int kRecentLimit = 10;
// The workbooks last opened, most recent first, at most kRecentLimit, each
// once.
QStringList recentWorkbooks();
// Puts path at the head of the recent workbooks; the oldest beyond the
// limit are forgotten.
void addRecentWorkbook(const QString& path);

enum class Folder {
    Workbook,    // where the last workbook was chosen
    Destination, // where the results were last copied
};
// The folder last used for which, empty when none is known.
QString lastFolder(Folder which);
void setLastFolder(Folder which, const QString& folder);

// The size and place of the window named window (QWidget::saveGeometry),
// empty when none is known.
QByteArray windowGeometry(const QString& window);
void setWindowGeometry(const QString& window, const QByteArray& geometry);

// A view choice of a window, by the window's name and the choice's name;
// fallback when none is known.
QVariant viewChoice(const QString& window, const QString& name, const QVariant& fallback = {});
void setViewChoice(const QString& window, const QString& name, const QVariant& value);

// The treatment of missing values last chosen for the workbook at path, if
// one was chosen.
std::optional<MissingTreatment> missingTreatment(const QString& workbook);
void setMissingTreatment(const QString& workbook, MissingTreatment treatment);

// The codes of the methods last chosen for comparison on the workbook at
// path, in the comparison's order; empty when none is known.
QStringList comparedMethods(const QString& workbook);
void setComparedMethods(const QString& workbook, const QStringList& codes);

} // namespace UserSettings
