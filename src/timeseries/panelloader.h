#pragma once

#include "shared/expected.h"
#include "shared/regional.h"
#include "shared/workprogress.h"
#include "timeseries/panel.h"
#include "workbook/caricamatrice.h"

#include <QString>

// Reads the workbook at path as a panel: every sheet, in workbook order, is
// one period named by the sheet, holding from A1 a source matrix with the
// same indicators (same names, same order) as the first sheet and the same
// units (same labels, in any order: they are matched by label). Each sheet
// is checked as the source matrix is, column by column and within a column
// row by row: an empty value, then one that is not a finite number (a
// numeric text under the regional settings counts as its number); the
// messages name the sheet. An indicator constant within one period is
// accepted; one constant over the whole panel is refused. A sheet whose
// indicators or units differ from the first sheet's is refused with a
// message naming the sheet and the first difference.
//
// Fails Refused when a sheet breaks a rule, File when the workbook cannot
// be read, Cancelled when progress was cancelled. When several sheets break
// rules, the first in workbook order is reported. The workbook is read in one
// pass (readWorkbookSheets), its sheets side by side on up to four threads
// where the format allows, each sheet held only until it is checked.
// Progress, when given, is told how much of the workbook is read; a
// cancellation stops at the next sheet or indicator. sheetNames, when
// given, receives the names of every sheet of a panel loaded, in workbook
// order (a structure sheet's included).
Expected<Panel> readPanel(const QString& path, const Regional& regional,
                          WorkProgress* progress = nullptr, QStringList* sheetNames = nullptr);

// How many periods the workbook at path holds, counted up to atMost: its
// sheets, a structure sheet after the first left out (delimited text holds
// one). Reads no further than the sheet that tells atMost periods are
// there, from the first sheet on. -1 when the workbook cannot be read.
int countPeriods(const QString& path, const Regional& regional, int atMost);
