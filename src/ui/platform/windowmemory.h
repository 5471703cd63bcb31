#pragma once

class QComboBox;
class QString;
class QWidget;

// The window takes back at once the size and place it had when it was last
// hidden (in this session or an earlier one), and keeps them each time it
// is hidden. The window is known by its object name; call this once its
// own size is set, before it is first shown.
void rememberGeometry(QWidget& window);

// The entry the user activates in combo is kept as a view choice of window,
// under the combo's object name.
void rememberChoice(QComboBox& combo, const QString& window);
// combo back on the entry kept for it, when it has an entry of that text;
// true when it has.
bool restoreChoice(QComboBox& combo, const QString& window);
