#include "export/xlsxwriterapi.h"

#include <QCoreApplication>
#include <dlfcn.h>

#include <mutex>

namespace {

void* openLibrary() {
#if defined(__SANITIZE_ADDRESS__)
    return dlmopen(LM_ID_NEWLM, ORVALTA_XLSXWRITER_SONAME, RTLD_NOW | RTLD_LOCAL);
#else
    return dlopen(ORVALTA_XLSXWRITER_SONAME, RTLD_NOW | RTLD_LOCAL | RTLD_DEEPBIND);
#endif
}

template <typename Function> bool resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

struct Loaded {
    XlsxWriterApi api{};
    QString error;
    bool ok = false;
};

Loaded load() {
    Loaded loaded;
    void* handle = openLibrary();
    if (!handle) {
        loaded.error =
            QCoreApplication::translate("Export", "la libreria %1 non si carica (%2).")
                .arg(QLatin1String(ORVALTA_XLSXWRITER_SONAME), QString::fromLocal8Bit(dlerror()));
        return loaded;
    }
    XlsxWriterApi& a = loaded.api;
#define ORVALTA_RESOLVE(name) resolve(handle, #name, a.name)
    loaded.ok = ORVALTA_RESOLVE(workbook_new_opt) && ORVALTA_RESOLVE(workbook_add_worksheet) &&
                ORVALTA_RESOLVE(workbook_add_format) && ORVALTA_RESOLVE(workbook_close) &&
                ORVALTA_RESOLVE(format_set_bold) && ORVALTA_RESOLVE(format_set_num_format) &&
                ORVALTA_RESOLVE(format_set_bg_color) && ORVALTA_RESOLVE(format_set_font_color) &&
                ORVALTA_RESOLVE(worksheet_write_number) &&
                ORVALTA_RESOLVE(worksheet_write_string) && ORVALTA_RESOLVE(worksheet_set_column) &&
                ORVALTA_RESOLVE(worksheet_freeze_panes) && ORVALTA_RESOLVE(lxw_strerror);
#undef ORVALTA_RESOLVE
    if (!loaded.ok)
        loaded.error =
            QCoreApplication::translate("Export", "la libreria %1 non ha le funzioni attese.")
                .arg(QLatin1String(ORVALTA_XLSXWRITER_SONAME));
    // The handle stays open for the life of the process.
    return loaded;
}

} // namespace

const XlsxWriterApi* xlsxWriterApi(QString* error) {
    static const Loaded loaded = load();
    if (!loaded.ok) {
        if (error)
            *error = loaded.error;
        return nullptr;
    }
    return &loaded.api;
}
