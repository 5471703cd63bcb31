#include "ui/report/methoddescriptions.h"

#include "methods/metodi.h"

namespace {

const QString kIndexNumbers = QStringLiteral(
    "Ogni valore è diviso per la media del suo indicatore (per un indicatore di polarità "
    "negativa è la media a essere divisa per il valore), così che 1 sia la media e un numero "
    "più alto sia sempre migliore. ");

// The MPI with the penalty added (MPI+) or subtracted (MPI-).
QString mpiDescription(bool added) {
    return QStringLiteral(
               "Ogni indicatore è standardizzato e riportato su una scala con media 100 e "
               "scarto quadratico medio 10; per gli indicatori di polarità negativa la scala "
               "è rovesciata (100 − 10·z), così che un valore più alto sia sempre migliore. "
               "L'indice è la media dei valori riscalati dell'unità ") +
           (added
                ? QStringLiteral("più una penalità pari al prodotto dello scarto quadratico medio "
                                 "per il coefficiente di variazione: a parità di media sale per le "
                                 "unità con valori squilibrati tra gli indicatori. ")
                : QStringLiteral(
                      "meno una penalità pari al prodotto dello scarto quadratico medio "
                      "per il coefficiente di variazione: premia i livelli alti ed "
                      "equilibrati, e lo squilibrio tra gli indicatori non si compensa. ")) +
           QStringLiteral("Rango 1 al valore più alto.");
}

} // namespace

QString methodDescription(const QString& code) {
    if (code == QLatin1String("MPI+") || code == QLatin1String("MPI-"))
        return mpiDescription(code == QLatin1String("MPI+"));
    if (code == QLatin1String("WROC"))
        return QStringLiteral(
            "Gli indicatori sono standardizzati; l'unità ideale prende per ogni indicatore il "
            "miglior valore osservato (il massimo per la polarità positiva, il minimo per la "
            "negativa). L'indice è la distanza euclidea dell'unità dall'ideale, divisa per la "
            "media delle distanze più due volte il loro scarto quadratico medio: premia la "
            "vicinanza al meglio osservato su tutti gli indicatori. Un valore più basso è "
            "migliore: rango 1 al valore più basso.");
    if (code == QLatin1String("M1VZ"))
        return QStringLiteral(
            "Ogni indicatore è trasformato in punti z (scarto dalla media diviso per lo scarto "
            "quadratico medio), con il segno cambiato per gli indicatori di polarità negativa; "
            "l'indice è la media dei punti z dell'unità. È compensativo: un valore alto su un "
            "indicatore compensa uno basso su un altro. Rango 1 al valore più alto.");
    if (code == QLatin1String("GRAD"))
        return QStringLiteral(
            "Per ogni indicatore le unità sono messe in graduatoria dalla migliore (rango 1 al "
            "valore più alto per la polarità positiva, al più basso per la negativa); l'indice "
            "è la somma dei ranghi dell'unità, normalizzata. Conta l'ordine e non la distanza "
            "tra i valori, perciò resiste ai valori anomali. Un valore più basso è migliore: "
            "rango 1 al valore più basso.");
    if (code == QLatin1String("INRE"))
        return QStringLiteral(
            "Ogni indicatore è riportato tra 0 e 1 con il suo minimo e il suo massimo (1 al "
            "valore migliore: il massimo per la polarità positiva, il minimo per la negativa); "
            "l'indice è la media degli indici relativi dell'unità. Premia la posizione "
            "dell'unità nel campo di variazione di ogni indicatore. Rango 1 al valore più "
            "alto.");
    if (code == QLatin1String("M1NI"))
        return kIndexNumbers +
               QStringLiteral("L'indice è la media aritmetica dei numeri indici: compensativo. "
                              "Non accetta valori negativi. Rango 1 al valore più alto.");
    if (code == QLatin1String("M0NI"))
        return kIndexNumbers +
               QStringLiteral("L'indice è la media geometrica dei numeri indici, che pesa più "
                              "dell'aritmetica un valore molto basso su un indicatore. Non "
                              "accetta valori negativi o nulli. Rango 1 al valore più alto.");
    if (code == QLatin1String("M2NI"))
        return kIndexNumbers +
               QStringLiteral("L'indice è la media quadratica dei numeri indici, che dà più "
                              "peso ai numeri indici alti. Non accetta valori negativi. Rango "
                              "1 al valore più alto.");
    return QString();
}

QString methodName(const QString& code) {
    for (const MethodInfo& method : methodTable())
        if (method.code == code)
            return method.entryText.mid(method.code.size()).trimmed();
    return code;
}

QString compositeDescription(const QString& definition) {
    const QStringList parts = definition.split(u';');
    if (parts.size() != 3)
        return QString();
    return QStringLiteral("Metodo personalizzato: ogni indicatore è normalizzato con %1, i "
                          "gruppi sono aggregati con %2, la costruzione è %3. Rango 1 al "
                          "valore più alto.")
        .arg(parts[0], parts[1], parts[2]);
}
