#pragma once

#include "framework/structure.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "treatment/missing.h"

#include <QString>
#include <QStringList>

// The lines of <workbook>.copertura.csv: the header
// "Elemento;Tipo;Disponibili;Mancanti;Copertura", a line per indicator
// ("indicatore"), then per unit ("unita"), in sheet order, counted on the
// matrix as read, the coverage with four decimals; with a structure (over
// the indicators kept), then a line per group and unit, the group's name as
// the type, over the indicators beneath the group.
QStringList coverageFileLines(const GapsRecord& gaps, const Structure* structure,
                              const Regional& regional);

// The lines of <workbook>.imputati.csv: "<corner>;Indicatore;Valore;
// Trattamento", then a line per filled cell in the record's order, the
// value in its shortest text.
QStringList imputedFileLines(const GapsRecord& gaps, const Regional& regional);

// Writes the record of a treatment of missing cells beside the workbook:
// the coverage file, and with a treatment that fills cells the filled
// cells' file, both together. Returns the paths written.
Expected<QStringList> writeGapsFiles(const QString& workbook, const GapsRecord& gaps,
                                     const Structure* structure, const Regional& regional);

// What a check tells of the gaps: their count and share, and the
// indicators and units the coverage rule leaves out at the record's
// threshold.
QStringList gapsSummary(const GapsRecord& gaps, const Regional& regional);
