#pragma once

#include <QWidget>

// The picture of the main window: a ranked bar chart of composite indices
// with the program's name, drawn with the window's palette.
class Artwork : public QWidget {
    Q_OBJECT

public:
    explicit Artwork(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
