#include "workbook/csv/csvreader.h"

#include "shared/textdecoding.h"
#include "workbook/csv/csvparser.h"
#include "workbook/workbookmessages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

QString fieldTooLong(qint64 row, qint64 col) {
    return QCoreApplication::translate("Workbook", "il campo alla riga %1, colonna %2 ")
               .arg(QLocale(QLocale::Italian).toString(row), QString::number(col)) +
           causaTestoTroppoLungo(kMaxCellTextLength);
}

// Turns the fields into the cells of the sheet.
class SheetFiller : public CsvFieldSink {
public:
    SheetFiller(SheetData& sheet, const Regional& regional, bool utf8, qint64 maxCells)
        : m_sheet(sheet), m_regional(regional), m_utf8(utf8), m_maxCells(maxCells) {}

    bool field(qint64 row, qint64 col, std::string_view text) override {
        if (text.empty())
            return true;
        if (row > kSheetMaxRows || col > kSheetMaxColumns) {
            const QLocale italian(QLocale::Italian);
            m_failure =
                row > kSheetMaxRows
                    ? QCoreApplication::translate("Workbook", "il testo contiene più di %1 righe")
                          .arg(italian.toString(kSheetMaxRows))
                    : QCoreApplication::translate("Workbook", "la riga %1 contiene più di %2 campi")
                          .arg(italian.toString(row), italian.toString(kSheetMaxColumns));
            return false;
        }
        if (++m_count > m_maxCells) {
            m_failure = tooManyCellsCause(m_maxCells);
            return false;
        }
        const int r = static_cast<int>(row);
        const int c = static_cast<int>(col);
        const bool data = r > 1 && c > 1;
        double number = 0.0;
        if (data && m_regional.parsePlainNumber(text, &number)) {
            // Most numbers: read without building a text.
            m_sheet.setNumber(r, c, number);
            return true;
        }
        const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
        QString decoded = m_utf8 ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
        if (decoded.size() > kMaxCellTextLength) {
            m_failure = fieldTooLong(row, col);
            return false;
        }
        if (data) {
            if (const auto parsed = m_regional.parseNumber(decoded)) {
                m_sheet.setNumber(r, c, *parsed);
                return true;
            }
        }
        m_sheet.set(r, c, CellValue(std::move(decoded)));
        return true;
    }

    const QString& failure() const { return m_failure; }

private:
    SheetData& m_sheet;
    const Regional& m_regional;
    bool m_utf8;
    qint64 m_maxCells;
    qint64 m_count = 0;
    QString m_failure;
};

} // namespace

bool CsvReader::read(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (m_sheetIndex != 0) {
        m_error = messaggioFoglioAssente(name, m_sheetIndex, 1);
        return false;
    }
    const auto failure = [&](const QString& cause) {
        m_error = messaggioFileTroppoGrande(name, cause);
        return false;
    };
    if (!QFileInfo::exists(path)) {
        m_error = messaggioFileAssente(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QCoreApplication::translate(
                      "Workbook", "Il file %1 non può essere letto: verificare i permessi.")
                      .arg(path);
        return false;
    }
    // The file's pages are read as they are reached, never copied whole.
    QByteArray copy;
    QByteArrayView text;
    if (file.size() > 0) {
        if (const uchar* mapped = file.map(0, file.size())) {
            text = QByteArrayView(reinterpret_cast<const char*>(mapped), file.size());
        } else {
            copy = file.readAll();
            text = copy;
        }
    }
    if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF")) {
        m_error = QCoreApplication::translate(
                      "Workbook", "Il file %1 è un testo in codifica UTF-16, non supportata: "
                                  "salvarlo di nuovo come testo CSV in UTF-8.")
                      .arg(name);
        return false;
    }
    if (text.startsWith(kUtf8Bom))
        text = text.sliced(kUtf8Bom.size());

    const bool utf8 = isValidUtf8(text);
    const char delimiter = sniffCsvDelimiter(text);
    SheetFiller filler(m_sheet, m_regional, utf8, m_limits.maxCells);
    CsvStop stop;
    // A field can take three bytes a character in UTF-8 and one in
    // Windows-1252: longer ones are too long whatever they hold.
    const qint64 maxFieldBytes = qint64(kMaxCellTextLength) * (utf8 ? 3 : 1);
    if (!parseCsv(text, delimiter, maxFieldBytes, filler, &stop)) {
        if (stop.tooLong)
            return failure(fieldTooLong(stop.row, stop.col));
        m_error =
            QCoreApplication::translate(
                "Workbook", "Il file %1 non è un testo delimitato valido: il campo alla riga "
                            "%2, colonna %3 apre le virgolette senza chiuderle.")
                .arg(name, QLocale(QLocale::Italian).toString(stop.row), QString::number(stop.col));
        return false;
    }
    if (!filler.failure().isEmpty())
        return failure(filler.failure());
    m_sheetNames = QStringList{QFileInfo(path).completeBaseName()};
    return true;
}
