#include "ui/timeseries/ampimodel.h"

#include "ui/grid/divergingpalette.h"

QColor AmpiModel::shade(int, int, double value) const {
    return divergingpalette::colour((value - 100.0) / 30.0);
}
