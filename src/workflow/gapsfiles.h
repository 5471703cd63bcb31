#pragma once

#include "framework/structure.h"
#include "shared/expected.h"
#include "shared/regional.h"
#include "treatment/missing.h"

#include <QString>
#include <QStringList>

// The lines of <workbook>.copertura.csv: the header
// "Elemento;Tipo;Disponibili;Mancanti;Copertura", a line per indicator
// (type "indicatore") over every unit as read, then per unit as read
// ("unita") over the indicators the coverage rule keeps: the figures its
// threshold is compared with. With a structure (over the indicators kept),
// then a line per group (and the overall index) and unit kept, the group's
// name as the type, over the group's indicators kept. The coverage with
// four decimals.
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

// What a check tells of the gaps: their count and share, the indicators
// and units the coverage rule leaves out at the record's threshold, the
// groups of the structure emptied by them and the units left with no
// overall index.
QStringList gapsSummary(const GapsRecord& gaps, const Regional& regional);
