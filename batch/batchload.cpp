#include "batchload.h"

#include "workbook/caricamatrice.h"

#include <QFileInfo>

Expected<Matrix> loadWorkbookMatrix(const QString& path, const Regional& regional) {
    return carica_matrice(QFileInfo(path).absoluteFilePath(), regional);
}
