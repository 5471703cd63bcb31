#pragma once

#include <QLineEdit>

class QTimer;

// The box where the user types part of a unit's label to select the units
// it names: it asks for the search a moment after the typing stops, or at
// once on Enter.
class UnitSearchBox : public QLineEdit {
    Q_OBJECT

public:
    explicit UnitSearchBox(QWidget* parent = nullptr);

    // Wide enough for the whole placeholder.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

Q_SIGNALS:
    void searchRequested(const QString& text);

private:
    QTimer* m_pause;
};
