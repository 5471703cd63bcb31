#include "shared/memoria.h"

QString memoriaInsufficiente(const QString& azione) {
    return QStringLiteral("Memoria insufficiente per %1: chiudere altri programmi o usare una "
                          "matrice più piccola, poi riprovare.")
        .arg(azione);
}
