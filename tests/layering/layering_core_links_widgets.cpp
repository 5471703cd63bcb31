// A core source reaching QtWidgets through Qt's include root still fails:
// the core links QtCore alone.
#include "workflow/processing.h"

#include <QtWidgets/QWidget>

int main() {
    QWidget widget;
    return widget.isVisible() ? 1 : 0;
}
