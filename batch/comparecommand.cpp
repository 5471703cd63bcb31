#include "commands.h"

int comandoCompare(const QStringList&) {
    scriviErr(QStringLiteral("Il comando compare non è ancora disponibile."));
    return 1;
}
