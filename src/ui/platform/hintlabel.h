#pragma once

#include <QLabel>

// The hint shown where a grid has nothing to show yet: centred, wrapped, in
// the palette's placeholder colour, darkened (lightened on a dark palette)
// where needed so that it reads at a contrast of at least 4.5:1 both on the
// window and on an empty grid.
class HintLabel : public QLabel {
public:
    HintLabel(const QString& objectName, QWidget* parent);

    // The colour the text is drawn in.
    QColor textColour() const;

    static constexpr double kMinimumContrast = 4.5;

protected:
    void paintEvent(QPaintEvent* event) override;
};
