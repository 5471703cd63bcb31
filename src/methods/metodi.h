#pragma once

#include <QString>

#include <vector>

// The nine methods of the method list, in list order.
struct MethodInfo {
    int position;        // 0..8, the index in the list
    QString entryText;   // the text of the list entry
    QString indexHeader; // the header of the value column ("MPI+", "Wroclaw", ...)
    bool ascending;      // rank 1 to the smallest index value (WROC, GRAD)
};

// The method table: position, entry text, index header and ranking order of
// the nine methods.
const std::vector<MethodInfo>& methodTable();

// The method code of a list entry: its first four characters ("MPI-" for
// "MPI-  Metodo Mazziotta Pareto Index negativo"). It names the result files.
QString methodCode(const QString& entryText);
