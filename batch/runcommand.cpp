#include "commands.h"

int comandoRun(const QStringList&) {
    scriviErr(QStringLiteral("Il comando run non è ancora disponibile."));
    return 1;
}
