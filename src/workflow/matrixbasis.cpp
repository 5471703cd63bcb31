#include "workflow/matrixbasis.h"

#include <QCoreApplication>
#include <QFileInfo>

MatrixBasis workbookBasis(const QString& workbook) {
    MatrixBasis basis;
    basis.workbook = workbook;
    basis.matrix = {QFileInfo(workbook).fileName(), fileSha256(workbook), InputRole::Matrix};
    return basis;
}

QJsonObject basisSettings(const MatrixBasis& basis) {
    QJsonObject settings{{QStringLiteral("structure"), basis.structure}};
    if (basis.missing != MissingTreatment::Refuse) {
        settings.insert(QStringLiteral("missing"), missingTreatmentName(basis.missing));
        settings.insert(QStringLiteral("minCoverage"), basis.minCoverage);
    }
    if (basis.outliersChanged >= 0)
        settings.insert(QStringLiteral("outliersChanged"), basis.outliersChanged);
    return settings;
}

void describeBasis(OutputRecorder& recorder, const MatrixBasis& basis) {
    recorder.addInput(basis.matrix);
    if (basis.structureFile)
        recorder.addInput(*basis.structureFile);
    const QJsonObject settings = basisSettings(basis);
    for (auto it = settings.begin(); it != settings.end(); ++it)
        recorder.settings().insert(it.key(), it.value());
}

BasisScope::BasisScope(const MatrixBasis& basis, const Regional& regional,
                       const QJsonObject& settings)
    : RecordScope(basis.workbook, regional, settings) {
    describeBasis(recorder(), basis);
}

QString basisDescription(const MatrixBasis& basis) {
    QStringList parts;
    if (basis.outliersChanged < 0)
        parts.append(QCoreApplication::translate("Workflow", "matrice come letta"));
    else
        parts.append(QCoreApplication::translate("Workflow",
                                                 "matrice trattata (anomali, valori cambiati: %1)")
                         .arg(basis.outliersChanged));
    if (basis.missing != MissingTreatment::Refuse)
        parts.append(QCoreApplication::translate("Workflow", "mancanti: %1, copertura minima %2")
                         .arg(missingTreatmentName(basis.missing))
                         .arg(basis.minCoverage));
    parts.append(
        basis.structure.isEmpty()
            ? QCoreApplication::translate("Workflow", "senza struttura")
            : QCoreApplication::translate("Workflow", "struttura: %1").arg(basis.structure));
    return parts.join(QStringLiteral("; "));
}
