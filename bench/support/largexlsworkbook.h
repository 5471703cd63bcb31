#pragma once

#include <QString>

// The large .xls source matrix of the load benchmark: 60,000 units by 50
// indicators. $ORVALTA_BENCH_XLS when set; otherwise a file in the temporary
// folder, written by bench/make_large_xls.py (python3-xlwt) on first use.
// Empty when the file can be neither found nor written.
QString largeXlsWorkbook();
