#pragma once

#include <QByteArray>
#include <QString>

// The workbook stream of an OLE2 compound file (.xls), read whole into
// memory. libgsf walks the container; nothing of it shows here.
struct Ole2Stream {
    enum class Status {
        Ok,
        NotOle2,    // the container cannot be opened (corrupt or not OLE2)
        NoWorkbook, // no "Workbook" or "Book" stream in the container
        TooLarge,   // the stream is larger than kMaxSize or than the file
        ReadFailed  // the stream's sectors could not be read
    };

    // A workbook stream larger than this is refused: no sheet of 65,536 rows
    // by 256 columns needs more.
    static constexpr qint64 kMaxSize = qint64(512) * 1024 * 1024;

    Status status = Status::NotOle2;
    QByteArray data;    // the stream's bytes when status is Ok
    QString streamName; // the name it has in the container ("Workbook" or "Book")
};

// Reads the workbook stream of the compound file at path: the stream named
// "Workbook" (BIFF8) or, failing that, "Book" (BIFF5), names compared without
// case. Never reads more than the file holds or kMaxSize.
Ole2Stream readOle2WorkbookStream(const QString& path);
