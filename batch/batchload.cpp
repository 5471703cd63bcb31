#include "batchload.h"

#include "commands.h"
#include "workbook/caricamatrice.h"

#include <QFileInfo>

int caricaCartella(const QString& path, SharedState& s, const Regional& regional) {
    const QFileInfo info(path);
    s.strMatrice = info.absoluteFilePath();
    s.strCartella = info.absolutePath();
    const LoadResult load = carica_matrice(s, regional);
    if (load.loaded())
        return 0;
    scriviErr(load.message);
    return load.status == LoadResult::Status::Refused ? 2 : 1;
}

int caricaPerAnalisi(const QString& path, SharedState& s, const Regional& regional) {
    if (const int status = caricaCartella(path, s, regional))
        return status;
    s.matTrasformata.clear();
    s.matRanghi.clear();
    return 0;
}
