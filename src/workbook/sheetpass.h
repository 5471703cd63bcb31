#pragma once

#include "shared/expected.h"
#include "workbook/sheetdata.h"

#include <QString>

#include <functional>

// Reads sheet `index` of a workbook into sheet (empty on entry) on the
// worker numbered `worker` (from 0): the failure when it cannot.
using SheetRead = std::function<Status(int worker, int index, SheetData& sheet)>;
// Takes a sheet that has been read: false stops the pass.
using SheetHandOver = std::function<bool(int index, SheetData& sheet)>;

// Reads the sheets 0 .. count - 1 of a workbook with read, on up to
// `threads` workers at once (threads of their own; with one, the calling
// thread reads), and hands each to handOver on the calling thread, in
// workbook order, freeing it when handOver returns. Memory stays bounded: no
// sheet is read more than twice `threads` sheets ahead of the one handed
// over. Each worker calls read for one sheet at a time, so that what it
// keeps (a handle on the file) serves it alone.
//
// Succeeds when every sheet was read and handed over, or handOver stopped
// the pass; fails when a sheet could not be read (the failure of the first
// such sheet in workbook order: every sheet before it has been handed
// over). An exception thrown by read or handOver stops the pass and goes on
// to the caller once the workers have ended.
Status passSheets(int count, int threads, const SheetRead& read, const SheetHandOver& handOver);
