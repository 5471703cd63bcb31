#include "shared/outofmemory.h"

#include <QCoreApplication>

QString outOfMemoryMessage(const QString& action) {
    return QCoreApplication::translate(
               "Memoria", "Memoria insufficiente per %1. Chiudere altri programmi e riprovare, "
                          "oppure usare una matrice più piccola.")
        .arg(action);
}
