#include "largecsv.h"

#include "largematrix.h"

#include <QFile>

#include <algorithm>
#include <charconv>
#include <string>

bool writeLargeCsv(const QString& path, int rows, int cols) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    std::string text = "Unità";
    for (int c = 1; c <= cols; ++c)
        text += ";Ind" + std::to_string(c);
    text += "\r\n";
    LargeMatrixValues values;
    char number[32];
    bool ok = true;
    for (int r = 1; r <= rows && ok; ++r) {
        text += "Unità " + std::to_string(r);
        for (int c = 1; c <= cols; ++c) {
            const auto end = std::to_chars(number, number + sizeof number, values.next());
            std::replace(number, end.ptr, '.', ',');
            text += ';';
            text.append(number, end.ptr);
        }
        text += "\r\n";
        if (text.size() > (1 << 20)) {
            ok = file.write(text.data(), static_cast<qint64>(text.size())) ==
                 static_cast<qint64>(text.size());
            text.clear();
        }
    }
    ok = ok && file.write(text.data(), static_cast<qint64>(text.size())) ==
                   static_cast<qint64>(text.size());
    return ok && file.flush();
}
