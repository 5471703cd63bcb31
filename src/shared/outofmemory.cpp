#include "shared/outofmemory.h"

#include <QCoreApplication>

QString memoriaInsufficiente(const QString& azione) {
    return QCoreApplication::translate(
               "Memoria", "Memoria insufficiente per %1. Chiudere altri programmi e riprovare, "
                          "oppure usare una matrice più piccola.")
        .arg(azione);
}
