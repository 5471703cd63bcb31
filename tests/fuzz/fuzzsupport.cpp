#include "fuzzsupport.h"

#include "workbook/caricamatrice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

QString writeFuzzInput(const std::uint8_t* data, std::size_t size, const QString& suffix) {
    static const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    const QString path = QStringLiteral("%1/orvalta-fuzz-%2%3")
                             .arg(folder)
                             .arg(QCoreApplication::applicationPid())
                             .arg(suffix);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

SheetFuzzInput sheetFuzzInput(const std::uint8_t* data, std::size_t size) {
    static const Regional italian{QLocale(QLocale::Italian, QLocale::Italy)};
    static const Regional c{QLocale::c()};
    SheetFuzzInput input;
    input.workbook = data[0] % 2 != 0;
    input.regional = data[0] % 4 < 2 ? &italian : &c;
    input.path = writeFuzzInput(data + 1, size - 1,
                                input.workbook ? QStringLiteral(".xlsx") : QStringLiteral(".csv"));
    return input;
}

void fuzzWorkbook(WorkbookReader& reader, const std::uint8_t* data, std::size_t size,
                  const QString& suffix) {
    static const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    const QString path = writeFuzzInput(data, size, suffix);
    // Every sheet in one pass, two read side by side: a failure comes back
    // as a message here too.
    const auto visit = [](int, const QString&, const WorkbookReader& sheet) {
        (void)sheet.cell(1, 1);
        return true;
    };
    if (const Status read = reader.readSheets(path, visit, 2);
        !read && read.error().message.isEmpty())
        __builtin_trap();
    if (const Status opened = reader.open(path); !opened) {
        if (opened.error().message.isEmpty())
            __builtin_trap();
        return;
    }
    const Expected<Matrix> matrix = carica_matrice(reader, path, regional);
    if (!matrix && matrix.error().message.isEmpty())
        __builtin_trap();
    reader.close();
}
