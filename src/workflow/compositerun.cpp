#include "workflow/compositerun.h"

#include "framework/frameworkfiles.h"
#include "methods/ranking.h"
#include "methods/resultfiles.h"
#include "workflow/matrixbasis.h"

#include <QCoreApplication>
#include <QFileInfo>

Expected<CompositeList> loadComposites(const Processing& processing, const QString& file,
                                       const Regional& regional) {
    return readComposites(processing.workbook(), processing.sheetNames(), file, regional);
}

void describeComposite(OutputRecorder& recorder, const QString& workbook,
                       const Composite& composite) {
    recorder.settings().insert(QStringLiteral("composite"), composite.definition());
    if (composite.file.isEmpty())
        return;
    const QFileInfo info(composite.file);
    const QString name = info.absolutePath() == QFileInfo(workbook).absolutePath()
                             ? info.fileName()
                             : info.absoluteFilePath();
    recorder.addInput(RecordInput{name, composite.fileSha256, InputRole::Composites});
}

Expected<CompositeRun> runComposite(const Processing& processing, const Composite& composite,
                                    const Regional& regional) {
    if (!processing.hasMatrix())
        return failure(FailureKind::MethodRefused,
                       QCoreApplication::translate("Methods", "Nessuna matrice caricata."));
    const Structure* structure = processing.structure().get();
    Expected<CompositeOutput> computed =
        computeComposite(composite, processing.matrix(), structure, regional);
    if (!computed)
        return std::move(computed).error();
    const QString& workbook = processing.workbook();
    CompositeRun run;
    run.output = std::move(*computed);
    run.valuesFile = valuesResultFile(workbook, composite.code);
    run.ranksFile = ranksResultFile(workbook, composite.code);

    const auto labels = std::make_shared<const ResultLabels>(processing.matrix(), regional);
    MethodOutput overall{{}, run.output.index, run.output.ranks};
    const MethodResultTexts texts = methodResultTexts(composite.name, overall, labels, regional);
    BasisScope scope(processing.basis(), regional);
    scope.recorder().settings().insert(QStringLiteral("method"), composite.code);
    describeComposite(scope.recorder(), workbook, composite);
    if (!structure) {
        if (Status written = writeResultFiles(run.valuesFile, run.ranksFile, texts); !written)
            return std::move(written).error();
        return run;
    }
    run.groupValuesFile = groupValuesFile(workbook, composite.code);
    run.groupRanksFile = groupRanksFile(workbook, composite.code);
    std::vector<MethodOutput> groups(run.output.groups.size());
    for (const int group : structure->groups) {
        const std::vector<double>& values = run.output.groups[std::size_t(group)];
        groups[std::size_t(group)] = MethodOutput{{}, values, rankIndex(values, false)};
    }
    auto [groupValues, groupRanks] =
        groupFileLines(*structure, groups, qsizetype(run.output.index.size()), *labels, regional);
    if (Status written = writeTextFilesTogether({{run.valuesFile, texts.valuesLines()},
                                                 {run.ranksFile, texts.ranksLines()},
                                                 {run.groupValuesFile, std::move(groupValues)},
                                                 {run.groupRanksFile, std::move(groupRanks)}});
        !written)
        return std::move(written).error();
    return run;
}
