#include "commands.h"

#include "batchload.h"
#include "shared/delimitedfields.h"
#include "shared/polarita.h"
#include "stats/statistiche.h"

int comandoCheck(const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1) {
        scriviErr(QStringLiteral("Uso: orvalta-batch check CARTELLA_DI_LAVORO"));
        return 1;
    }
    SharedState s;
    const Regional regional = Regional::system();
    if (const int status = caricaCartella(args.first(), s, regional))
        return status;

    const auto media = media_colonne(s);
    const auto scarto = scarto_colonne(s);
    const auto minimo = minimo_colonne(s);
    const auto massimo = massimo_colonne(s);
    const auto numero = [&](double value) { return regional.generalText(CellValue(value)); };

    scriviOut(QStringLiteral("Matrice sorgente: %1").arg(s.strMatrice));
    scriviOut(QStringLiteral("Unità: %1").arg(s.nRighe - 1));
    scriviOut(QStringLiteral("Indicatori: %1").arg(s.nColonne - 1));
    scriviOut(QStringLiteral("Indicatore;Polarità;Minimo;Massimo;Media;Scarto"));
    for (int c = 2; c <= s.nColonne; ++c) {
        const auto k = static_cast<std::size_t>(c);
        scriviOut(joinFields(
            {regional.generalText(s.matDati.header(c)),
             polaritaNegativa(s.matDati.header(c)) ? QStringLiteral("-") : QStringLiteral("+"),
             numero(minimo[k]), numero(massimo[k]), numero(media[k]), numero(scarto[k])}));
    }
    scriviOut(QStringLiteral("Valori negativi: %1")
                  .arg(s.bNegativi ? QStringLiteral("sì") : QStringLiteral("no")));
    scriviOut(QStringLiteral("Valori nulli: %1")
                  .arg(s.bZeri ? QStringLiteral("sì") : QStringLiteral("no")));
    return 0;
}
