#pragma once

#include <QString>

class QLabel;
class QWidget;

// A label for a page's notes: wrapped, its text selectable.
QLabel* pageNote(const QString& name, QWidget* parent);
