#include "workbook/csv/csvreader.h"

#include "shared/textdecoding.h"
#include "shared/workprogress.h"
#include "workbook/csv/csvparser.h"
#include "workbook/workbookmessages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>

namespace {

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// Gives the pages of a mapped file back as the reading moves past them, a
// few megabytes at a time: they would be read again from the file, were
// they needed, and the file never stays in memory whole.
class PageRelease {
public:
    explicit PageRelease(const char* start) : m_start(start), m_released(start) {}
    void upTo(const char* at) {
        constexpr qsizetype kStep = 2 << 20;
        if (!m_start || at - m_released < kStep)
            return;
        const qsizetype page = sysconf(_SC_PAGESIZE);
        const char* until = m_start + (at - m_start) / page * page;
        madvise(const_cast<char*>(m_released), static_cast<std::size_t>(until - m_released),
                MADV_DONTNEED);
        m_released = until;
    }

private:
    const char* m_start; // null when the text is not mapped
    const char* m_released;
};

// Whether the text is UTF-8, checked a window at a time, each ending before
// the start of a character, so that the pages checked can be given back.
bool isUtf8(QByteArrayView text, PageRelease& pages, WorkProgress* progress) {
    constexpr qsizetype kWindow = 2 << 20;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype next = std::min(text.size(), at + kWindow);
        while (next < text.size() && next > at && (text[next] & 0xC0) == 0x80)
            --next;
        if (next == at)
            next = std::min(text.size(), at + kWindow);
        if (!isValidUtf8(text.sliced(at, next - at)))
            return false;
        at = next;
        pages.upTo(text.data() + at);
        // The check is the first tenth of the reading.
        if (progress)
            progress->setPercent(int(percentOf(at, text.size()) / 10));
    }
    return true;
}

QString fieldTooLong(qint64 row, qint64 col) {
    return QCoreApplication::translate("Workbook", "il campo alla riga %1, colonna %2 ")
               .arg(QLocale(QLocale::Italian).toString(row), QString::number(col)) +
           causaTestoTroppoLungo(kMaxCellTextLength);
}

// Turns the fields into the cells of the sheet.
class SheetFiller : public CsvFieldSink {
public:
    SheetFiller(SheetData& sheet, const Regional& regional, bool utf8, qint64 maxCells,
                PageRelease& pages, QByteArrayView text, WorkProgress* progress)
        : m_sheet(sheet), m_regional(regional), m_utf8(utf8), m_maxCells(maxCells), m_pages(pages),
          m_text(text), m_progress(progress) {}

    void recordEnd(const char* next) override {
        m_pages.upTo(next);
        // The fields are the other nine tenths of the reading.
        if (m_progress)
            m_progress->setPercent(10 +
                                   int(percentOf(next - m_text.data(), m_text.size()) * 9 / 10));
    }

    bool cancelled() const { return m_cancelled; }

    bool field(qint64 row, qint64 col, std::string_view text) override {
        if ((++m_fields & 0xFFFF) == 0 && m_progress && m_progress->cancelled()) {
            m_cancelled = true;
            return false;
        }
        if (!rowFits(row, col, text.empty()))
            return false;
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
        QString decoded = m_utf8 ? utf8Text(bytes) : fromWindows1252(bytes);
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
    // Whether the failure is a row wider than the header.
    bool tooWide() const { return m_tooWide; }

    // At the end of the text: checks its last row against the header.
    void finish() { rowFits(m_wideRow + 1, 1, true); }

private:
    // Whether the rows before (row, col) hold no field beyond the header's
    // last: a row of the matrix (those down to the first without a label)
    // with a value further right is refused, naming it and its fields; the
    // empty fields a row may end with are no values and are taken.
    bool rowFits(qint64 row, qint64 col, bool empty) {
        if (m_wideRow > 0 && row != m_wideRow) {
            m_failure = QCoreApplication::translate(
                            "Workbook", "la riga %1 ha %2 campi, più dei %3 dell'intestazione "
                                        "(riga 1): i valori in più non sono di alcuna colonna")
                            .arg(QLocale(QLocale::Italian).toString(m_wideRow),
                                 QString::number(m_wideFields), QString::number(m_headerFields));
            m_tooWide = true;
            return false;
        }
        if (row == 1) {
            if (!empty)
                m_headerFields = col;
        } else if (col == 1 && empty) {
            m_matrixEnded = true; // the rows below the matrix are not its rows
        } else if (!m_matrixEnded && (m_wideRow == row || (!empty && col > m_headerFields))) {
            m_wideRow = row;
            m_wideFields = col;
        }
        return true;
    }

    SheetData& m_sheet;
    const Regional& m_regional;
    bool m_utf8;
    qint64 m_maxCells;
    PageRelease& m_pages;
    QByteArrayView m_text;
    WorkProgress* m_progress;
    qint64 m_count = 0;
    qint64 m_fields = 0;
    bool m_cancelled = false;
    QString m_failure;
    qint64 m_headerFields = 0; // the last field of the header that is not empty
    bool m_matrixEnded = false;
    qint64 m_wideRow = 0;    // a row of the matrix with a value beyond the header
    qint64 m_wideFields = 0; // and its fields so far
    bool m_tooWide = false;
};

} // namespace

Status CsvReader::read(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (m_sheetIndex != 0)
        return readFailure(missingSheetMessage(name, m_sheetIndex, 1));
    if (!QFileInfo::exists(path))
        return readFailure(missingFileMessage(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(
            QCoreApplication::translate("Workbook",
                                        "Il file %1 non può essere letto: verificare i permessi.")
                .arg(path));
    // The file's pages are read as they are reached, never copied whole.
    QByteArray copy;
    QByteArrayView text;
    const char* mappedStart = nullptr;
    if (file.size() > 0) {
        if (const uchar* mapped = file.map(0, file.size())) {
            mappedStart = reinterpret_cast<const char*>(mapped);
            text = QByteArrayView(mappedStart, file.size());
        } else {
            copy = file.readAll();
            text = copy;
        }
    }
    if (text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF"))
        return readFailure(
            QCoreApplication::translate("Workbook",
                                        "Il file %1 è un testo in codifica UTF-16, non supportata: "
                                        "salvarlo di nuovo come testo CSV in UTF-8.")
                .arg(name));
    if (text.startsWith(kUtf8Bom))
        text = text.sliced(kUtf8Bom.size());
    if (Status filled = fill(text, mappedStart, name); !filled)
        return filled;
    m_sheetNames = QStringList{QFileInfo(path).completeBaseName()};
    return {};
}

Status CsvReader::fill(QByteArrayView text, const char* mappedStart, const QString& name) {
    const char delimiter = sniffCsvDelimiter(text);
    PageRelease checked(mappedStart);
    const bool utf8 = isUtf8(text, checked, m_progress);
    PageRelease read(mappedStart);
    SheetFiller filler(m_sheet, m_regional, utf8, m_limits.maxCells, read, text, m_progress);
    CsvStop stop;
    // A field can take three bytes a character in UTF-8 and one in
    // Windows-1252: longer ones are too long whatever they hold.
    const qint64 maxFieldBytes = qint64(kMaxCellTextLength) * (utf8 ? 3 : 1);
    const bool parsed = parseCsv(text, delimiter, maxFieldBytes, filler, &stop);
    if (filler.cancelled())
        return readFailure(
            QCoreApplication::translate("Workbook", "Caricamento della matrice annullato."));
    if (!parsed) {
        if (stop.tooLong)
            return readFailure(fileTooLargeMessage(name, fieldTooLong(stop.row, stop.col)));
        return readFailure(QCoreApplication::translate(
                               "Workbook",
                               "Il file %1 non è un testo delimitato valido: il campo alla riga "
                               "%2, colonna %3 apre le virgolette senza chiuderle.")
                               .arg(name, QLocale(QLocale::Italian).toString(stop.row),
                                    QString::number(stop.col)));
    }
    if (filler.failure().isEmpty())
        filler.finish();
    if (filler.tooWide())
        return readFailure(
            QCoreApplication::translate("Workbook", "Il file %1 non è una tabella valida: %2.")
                .arg(name, filler.failure()));
    if (!filler.failure().isEmpty())
        return readFailure(fileTooLargeMessage(name, filler.failure()));
    return {};
}
