#pragma once

#include "composite/compositespec.h"
#include "shared/expected.h"
#include "shared/regional.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

// A composite index defined by the user: a method like the nine, named by
// its code, that normalises each indicator, aggregates every group and
// builds the levels as chosen.
struct Composite {
    QString code; // 1 to 8 letters, digits, "+", "-", "_"; names its result files
    QString name; // as written; the code when none is
    Normalisation normalisation;
    Aggregation aggregation;
    Construction construction = Construction::Upward;
    int row = 0; // the row of its definition, from 2
    // The file its definition was read from (a full path) and the SHA-256
    // of that file's bytes as read (lower-case hexadecimal); both empty for
    // a definition in the workbook, which the workbook's own hash covers.
    QString file;
    QByteArray fileSha256;

    // The definition on one line, the same in every language, for the
    // record: "minmax;mean;upward".
    QString definition() const;
};

// The composites of a workbook and where they were read.
struct CompositeList {
    QString source; // "dal foglio Metodi", "dal file X"; empty when there are none
    std::vector<Composite> composites;

    // The composite whose code is code, in any letter case; null for none.
    const Composite* find(const QString& code) const;
};

// The composites of the workbook at path, whose sheets are named
// sheetNames: the file chosen when file is not empty, else a sheet named
// Metodi after the first, else the file <workbook>.metodi.csv beside it;
// none when there is none. Row 1 names the columns in any order and letter
// case: Codice, Nome, Normalizzazione and Aggregazione required,
// Costruzione optional (upward when empty). Refused (FailureKind::Refused),
// naming the row: a code repeated (any letter case), one of the nine
// methods' codes, a code of other than 1 to 8 letters, digits, "+", "-",
// "_", an unknown normalisation, aggregation or construction; naming the
// column: a column unknown, without a name or named twice, a required one
// missing. A file that cannot be read fails (File).
Expected<CompositeList> readComposites(const QString& path, const QStringList& sheetNames,
                                       const QString& file, const Regional& regional);

// The texts of one composite's definition, as a row of a definition holds
// them (Costruzione empty for upward).
struct CompositeTexts {
    QString code;
    QString name;
    QString normalisation;
    QString aggregation;
    QString construction;
};

// The composite that texts define on row `row` of a definition, its code
// checked against codesBefore (the codes of the rows before it, upper
// case): the one rule of readComposites for a row, refused as it refuses.
Expected<Composite> parseComposite(const CompositeTexts& texts, int row,
                                   const QSet<QString>& codesBefore);

// The lines of a definitions file that readComposites reads back as the
// same composites, in their order: the header row, then one row each,
// fields separated by ";" and quoted when they hold a delimiter.
QStringList compositesFileLines(const std::vector<Composite>& composites);

// Writes the composites to <workbook>.metodi.csv beside the workbook
// through the safe writer (the file before stays as it was on a failure);
// none gives a file of the header alone.
Status writeCompositesFile(const QString& workbook, const std::vector<Composite>& composites);
