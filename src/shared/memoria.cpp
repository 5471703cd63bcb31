#include "shared/memoria.h"

QString memoriaInsufficiente(const QString& azione) {
    return QStringLiteral("Memoria insufficiente per %1. Chiudere altri programmi e riprovare, "
                          "oppure usare una matrice più piccola.")
        .arg(azione);
}
