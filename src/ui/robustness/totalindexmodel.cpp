#include "ui/robustness/totalindexmodel.h"

#include "ui/grid/divergingpalette.h"

QColor TotalIndexModel::shade(int, int, double value) const {
    return divergingpalette::colour(-value);
}
