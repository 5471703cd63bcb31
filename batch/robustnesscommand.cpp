#include "commands.h"
#include "methodcodes.h"

#include "comparison/comparison.h"
#include "methods/metodi.h"
#include "robustness/kendall.h"
#include "robustness/rankmatrix.h"
#include "robustness/ranksummary.h"
#include "robustness/robustnessfiles.h"
#include "shared/resultnames.h"

#include <QDir>
#include <QFileInfo>

// robustness WORKBOOK CODE CODE [CODE...] | --all: reads the result files of
// the methods (with --all every method of the list that has a values result
// file, in list order), writes the rank summary file and prints the Kendall
// matrix, an empty line and the overall figures.
int comandoRobustness(const QCommandLineParser& parser) {
    const QString uso = QStringLiteral(
        "Uso: orvalta-batch robustness CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | --all");
    const std::vector<int> positions = chosenMethods(parser, 2, uso);
    if (positions.empty())
        return 1;
    const QString strMatrice = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
    const QString strCartella = QFileInfo(strMatrice).absolutePath();
    const QString fileName = QFileInfo(strMatrice).fileName();

    QStringList entries;
    for (const int position : positions) {
        const QString code = methodCode(methodTable()[std::size_t(position)].entryText);
        const QString entry = resultFileName(fileName, ResultFileKind::MethodValues, code);
        if (!parser.isSet(QStringLiteral("all")) ||
            QFileInfo(QDir(strCartella).filePath(entry)).isFile())
            entries.append(entry);
    }
    const Regional regional = Regional::system();
    const ComparisonResult comparison = compareMethods(strCartella, entries, regional);
    if (!comparison.ok) {
        scriviErr(comparison.message);
        return 1;
    }
    const RankMatrix matrix = rankMatrixOf(comparison.ranks);
    const RankSummary summary = summarizeRanks(matrix);
    const QString error =
        writeTableFile(rankSummaryFile(strMatrice), rankSummaryTable(matrix, summary, regional));
    if (!error.isEmpty()) {
        scriviErr(error);
        return 1;
    }
    for (const QString& line : kendallMatrix(matrix, regional).joinedRows())
        scriviOut(line);
    scriviOut(QString());
    scriviOut(QStringLiteral("Spostamento medio;") + regional.fixed4(summary.meanShift));
    scriviOut(QStringLiteral("Quota di unita' con lo stesso rango;") +
              regional.fixed4(summary.shareUnchanged));
    return 0;
}
