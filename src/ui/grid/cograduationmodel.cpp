#include "ui/grid/cograduationmodel.h"

#include "ui/grid/divergingpalette.h"
#include "ui/platform/windowsetup.h"

CograduationModel::CograduationModel(const Regional& regional, QObject* parent)
    : NumberGridModel(regional, Format::Fixed4, parent) {}

void CograduationModel::setMatrix(const CoefficientMatrix& matrix) {
    setGrid(QStringList{QString()} + matrix.headers, matrix.headers, matrix.cells);
}

QString CograduationModel::headerText(int col) const {
    return col == 0 ? QString() : methodCodeLabel(header(col));
}

QString CograduationModel::labelText(int row) const {
    return methodLabel(label(row));
}

QColor CograduationModel::shade(int row, int col, double value) const {
    return row > col ? divergingpalette::coefficientColour(value) : QColor();
}
