#include "ui/platform/windowmemory.h"

#include "ui/platform/usersettings.h"

#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace {

// Keeps the window's size and place as it is hidden.
class GeometryKeeper : public QObject {
public:
    explicit GeometryKeeper(QWidget& window) : QObject(&window), m_window(window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Hide && !m_window.isMinimized())
            UserSettings::setWindowGeometry(m_window.objectName(), m_window.saveGeometry());
        return false;
    }

private:
    QWidget& m_window;
};

} // namespace

void rememberGeometry(QWidget& window) {
    const QByteArray geometry = UserSettings::windowGeometry(window.objectName());
    if (!geometry.isEmpty())
        window.restoreGeometry(geometry);
    new GeometryKeeper(window);
}

void rememberChoice(QComboBox& combo, const QString& window) {
    QObject::connect(&combo, &QComboBox::activated, &combo, [&combo, window] {
        UserSettings::setViewChoice(window, combo.objectName(), combo.currentText());
    });
}

bool restoreChoice(QComboBox& combo, const QString& window) {
    const QString kept = UserSettings::viewChoice(window, combo.objectName()).toString();
    const int found = kept.isEmpty() ? -1 : combo.findText(kept);
    if (found >= 0)
        combo.setCurrentIndex(found);
    return found >= 0;
}
