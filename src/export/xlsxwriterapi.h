#pragma once

#include <xlsxwriter.h>

#include <QString>

// The functions of libxlsxwriter that the results workbook uses, reached
// through a handle of their own.
//
// libxlsxwriter zips through the system's minizip, whose functions carry the
// same names (zipOpen, zipClose, ...) as the modified minizip inside QuaZip,
// which the workbook readers use. Linked together, one set would answer the
// calls of both libraries and the zip writer would crash. So the library is
// loaded at run time with its own symbols ahead of the global ones (under
// AddressSanitizer, which refuses that, in a namespace of its own), and
// neither library sees the other's minizip.
struct XlsxWriterApi {
    decltype(&::workbook_new_opt) workbook_new_opt;
    decltype(&::workbook_add_worksheet) workbook_add_worksheet;
    decltype(&::workbook_add_format) workbook_add_format;
    decltype(&::workbook_close) workbook_close;
    decltype(&::format_set_bold) format_set_bold;
    decltype(&::format_set_num_format) format_set_num_format;
    decltype(&::format_set_bg_color) format_set_bg_color;
    decltype(&::format_set_font_color) format_set_font_color;
    decltype(&::worksheet_write_number) worksheet_write_number;
    decltype(&::worksheet_write_string) worksheet_write_string;
    decltype(&::worksheet_set_column) worksheet_set_column;
    decltype(&::worksheet_freeze_panes) worksheet_freeze_panes;
    decltype(&::lxw_strerror) lxw_strerror;
};

// The library's functions, loaded on first use; null, with the Italian
// reason in error, when the library cannot be loaded.
const XlsxWriterApi* xlsxWriterApi(QString* error);
