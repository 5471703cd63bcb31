#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The nine methods of the method list, in list order.
struct MethodInfo {
    int position;        // 0..8, the index in the list
    QString code;        // the method code ("MPI-", "WROC", ...): it names the result files
    QString entryText;   // the text of the list entry (the windows show it translated)
    QString indexHeader; // the header of the value column ("MPI+", "Wroclaw", ...)
    bool ascending;      // rank 1 to the smallest index value (WROC, GRAD)
    // What goes before an indicator's name in the header of the transformed
    // matrix ("Z_" for z-scores, "R_" ranks, "IR_" relative indices, "NI_"
    // index numbers).
    QString transformedPrefix;
};

// The positions of the methods in the list.
enum class MethodPosition : int {
    MpiPositive = 0,
    MpiNegative = 1,
    Wroclaw = 2,
    StandardizedMean = 3,
    Ranks = 4,
    RelativeIndices = 5,
    IndexNumbersArithmetic = 6,
    IndexNumbersGeometric = 7,
    IndexNumbersQuadratic = 8,
};

// The method table: position, code, entry text, index header and ranking order of
// the nine methods. Every other place takes the codes, headers and
// directions from here.
const std::vector<MethodInfo>& methodTable();

// The method at a position.
const MethodInfo& methodAt(MethodPosition position);

// The index header of the method at a position ("MPI+", "Wroclaw", ...).
const QString& indexHeaderAt(MethodPosition position);

// The method codes of the list, in list order: the one list of the codes.
QStringList methodCodes();

// The method codes of index headers ("Wroclaw" is "WROC"), in their order;
// a header of no method stays as it is.
QStringList methodCodesOfHeaders(const QStringList& headers);

// The method whose code is code; null for a code of no method.
const MethodInfo* methodWithCode(const QString& code);
