#pragma once

#include "ui/platform/imagesize.h"

#include <QDialog>

class QLabel;
class QSpinBox;

// Asks the width and the resolution of a chart image, showing the height
// that follows from the chart's proportions and the printed size.
class ImageSizeDialog : public QDialog {
    Q_OBJECT

public:
    // aspect: the chart's height over its width.
    ImageSizeDialog(const ImageSize& size, double aspect, QWidget* parent = nullptr);

    ImageSize size() const;
    QSpinBox* widthBox() const { return m_width; }
    QSpinBox* dpiBox() const { return m_dpi; }
    QLabel* outcomeLabel() const { return m_outcome; }

private:
    void updateOutcome();

    double m_aspect;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_dpi = nullptr;
    QLabel* m_outcome = nullptr;
};
