#include "commands.h"

#include "batchload.h"

namespace {

QCommandLineOption compositesOption() {
    return QCommandLineOption(QStringLiteral("composites"),
                              QStringLiteral("i metodi personalizzati definiti nel file indicato "
                                             "(invece del foglio Metodi o di "
                                             "<cartella>.metodi.csv)"),
                              QStringLiteral("FILE"));
}

QCommandLineOption methodOption() {
    return QCommandLineOption(QStringLiteral("method"),
                              QStringLiteral("il metodo: uno dei nove o un metodo personalizzato"),
                              QStringLiteral("CODICE"));
}

// For composites: the normalisations and the aggregations drawn or crossed
// beside each one's own.
QCommandLineOption normalisationsOption() {
    return QCommandLineOption(QStringLiteral("normalisations"),
                              QStringLiteral("per i metodi personalizzati, le normalizzazioni "
                                             "oltre alla propria (minmax,zscore,...)"),
                              QStringLiteral("ELENCO"));
}

QCommandLineOption aggregationsOption() {
    return QCommandLineOption(QStringLiteral("aggregations"),
                              QStringLiteral("per i metodi personalizzati, le aggregazioni "
                                             "oltre alla propria (mean,geometric,...)"),
                              QStringLiteral("ELENCO"));
}

// The commands on the matrix and the methods' results.
std::vector<BatchCommand> resultCommands() {
    return {
        {QStringLiteral("check"),
         QStringLiteral("orvalta-batch check CARTELLA_DI_LAVORO") + matrixUsage(),
         QStringLiteral("legge e verifica la matrice sorgente e ne stampa le statistiche (e "
                        "l'albero della struttura, con le quote e i pesi effettivi)"),
         QStringLiteral("leggere e verificare la matrice"),
         QList<QCommandLineOption>{compositesOption()} + matrixOptions(), checkCommand},
        {QStringLiteral("run"),
         QStringLiteral("orvalta-batch run CARTELLA_DI_LAVORO [--methods CODICE[,CODICE...] | "
                        "--all] [--composites FILE]") +
             matrixUsage(),
         QStringLiteral("esegue i metodi (se non indicati, i nove e poi i metodi personalizzati "
                        "della cartella) e scrive i file dei "
                        "risultati (con una struttura, anche quelli delle dimensioni)"),
         QStringLiteral("eseguire i metodi"),
         QList<QCommandLineOption>{
             QCommandLineOption(QStringLiteral("methods"),
                                QStringLiteral("i metodi da eseguire, separati da virgole"),
                                QStringLiteral("CODICE[,CODICE...]")),
             QCommandLineOption(QStringLiteral("all"),
                                QStringLiteral("i nove metodi e poi i metodi personalizzati")),
             compositesOption()} +
             matrixOptions(),
         runCommand},
        {QStringLiteral("compare"),
         QStringLiteral("orvalta-batch compare CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | "
                        "--all"),
         QStringLiteral("confronta i metodi gia' elaborati e scrive i file di confronto"),
         QStringLiteral("confrontare i metodi"),
         {QCommandLineOption(QStringLiteral("all"),
                             QStringLiteral("tutti i metodi elaborati, nell'ordine della lista, "
                                            "poi i metodi personalizzati"))},
         compareCommand},
        {QStringLiteral("robustness"),
         QStringLiteral("orvalta-batch robustness CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | "
                        "--all"),
         QStringLiteral("riassume i ranghi dei metodi gia' elaborati (file .rob.csv) e stampa "
                        "la matrice di Kendall"),
         QStringLiteral("riassumere i ranghi"),
         {QCommandLineOption(QStringLiteral("all"),
                             QStringLiteral("tutti i metodi elaborati, nell'ordine della lista, "
                                            "poi i metodi personalizzati"))},
         robustnessCommand},
        {QStringLiteral("sensitivity"),
         QStringLiteral("orvalta-batch sensitivity CARTELLA_DI_LAVORO CODICE [--composites FILE]") +
             matrixUsage(),
         QStringLiteral("ripete il metodo (uno dei nove o un metodo personalizzato) escludendo "
                        "un indicatore alla volta (file .sens<CODICE>.csv)"),
         QStringLiteral("analizzare la sensibilita' agli indicatori"),
         QList<QCommandLineOption>{compositesOption()} + matrixOptions(), sensitivityCommand},
    };
}

// The analyses of the ranks' uncertainty.
std::vector<BatchCommand> uncertaintyCommands() {
    return {
        {QStringLiteral("uncertainty"),
         QStringLiteral("orvalta-batch uncertainty CARTELLA_DI_LAVORO CODICE [CODICE...] | --all "
                        "[--composites FILE] [--normalisations ELENCO] [--aggregations ELENCO] "
                        "[--treatment-factor] [--missing-factor TRATTAMENTO,TRATTAMENTO...]") +
             matrixUsage(),
         QStringLiteral("incrocia i metodi con gli insiemi di indicatori (file .unc.csv)"),
         QStringLiteral("analizzare l'incertezza dei ranghi"),
         QList<QCommandLineOption>{
             QCommandLineOption(QStringLiteral("all"),
                                QStringLiteral("i nove metodi e poi i metodi personalizzati")),
             compositesOption(), normalisationsOption(), aggregationsOption(),
             QCommandLineOption(
                 QStringLiteral("treatment-factor"),
                 QStringLiteral("il trattamento dei valori anomali come fattore in più: ogni "
                                "graduatoria anche sulla matrice trattata")),
             QCommandLineOption(
                 QStringLiteral("missing-factor"),
                 QStringLiteral("incrocia anche i trattamenti dei valori mancanti indicati "
                                "(available, mean, median, em), il primo di riferimento"),
                 QStringLiteral("TRATTAMENTI"))} +
             matrixOptions(),
         uncertaintyCommand},
        {QStringLiteral("montecarlo"), monteCarloUsage().mid(QStringLiteral("Uso: ").size()),
         QStringLiteral("estrae a caso metodo, pesi, indicatore escluso e trattamento degli "
                        "anomali e dei valori mancanti e scrive dove cade il rango di ogni unita' "
                        "(file .mc.csv; con "
                        "--sobol anche gli indici di Sobol, file .sobol.csv e .sobol.unita.csv)"),
         QStringLiteral("eseguire l'analisi Monte Carlo"),
         QList<QCommandLineOption>{
             QCommandLineOption(QStringLiteral("methods"),
                                QStringLiteral("i metodi tra cui estrarre, il primo nominale"),
                                QStringLiteral("CODICE[,CODICE...]")),
             QCommandLineOption(QStringLiteral("all"),
                                QStringLiteral("i nove metodi e poi i metodi personalizzati")),
             compositesOption(), normalisationsOption(), aggregationsOption(),
             QCommandLineOption(QStringLiteral("weights"),
                                QStringLiteral("ogni peso moltiplicato per un fattore uniforme "
                                               "in [1 - F, 1 + F], F tra 0 e 1"),
                                QStringLiteral("F")),
             QCommandLineOption(QStringLiteral("leave-out"),
                                QStringLiteral("un indicatore escluso a caso, o nessuno")),
             QCommandLineOption(QStringLiteral("outliers-nominal"),
                                QStringLiteral("la graduatoria nominale sulla matrice trattata")),
             QCommandLineOption(QStringLiteral("runs"),
                                QStringLiteral("il numero di estrazioni (1000 se non indicato)"),
                                QStringLiteral("N")),
             QCommandLineOption(QStringLiteral("seed"),
                                QStringLiteral("il seme dei numeri casuali (1 se non indicato)"),
                                QStringLiteral("S")),
             QCommandLineOption(QStringLiteral("sobol"),
                                QStringLiteral("il disegno di Saltelli e gli indici di Sobol "
                                               "(almeno 10 estrazioni)"))} +
             matrixOptions(TreatmentOptions::Drawn),
         monteCarloCommand},
    };
}

// The periods, the audit, the export and the record.
std::vector<BatchCommand> otherCommands() {
    return {
        {QStringLiteral("ampi"),
         QStringLiteral("orvalta-batch ampi CARTELLA_DI_LAVORO [--base PERIODO]") +
             structureUsage(),
         QStringLiteral("calcola l'indice di Mazziotta-Pareto corretto (AMPI+ e AMPI-) sui "
                        "periodi, un foglio ciascuno, e scrive i file dei valori, dei ranghi e "
                        "dei goalpost; con una struttura anche i file .dim di ogni dimensione"),
         QStringLiteral("calcolare l'AMPI"),
         QList<QCommandLineOption>{
             QCommandLineOption(QStringLiteral("base"),
                                QStringLiteral("il periodo di riferimento (il primo foglio se non "
                                               "indicato)"),
                                QStringLiteral("PERIODO"))} +
             structureOptions(),
         ampiCommand},
        {QStringLiteral("audit"),
         QStringLiteral("orvalta-batch audit CARTELLA_DI_LAVORO [--method CODICE] [--composites "
                        "FILE]") +
             matrixUsage(),
         QStringLiteral("descrive la matrice: distribuzioni e indicatori anomali, correlazioni "
                        "di Pearson e di Spearman, coerenza dei gruppi e prima componente "
                        "principale (file .audit.csv, .correlazioni.csv, "
                        ".correlazioni.spearman.csv, .coerenza.csv, .pca.csv); con --method "
                        "anche la coerenza di ogni elemento con il suo gruppo e con l'indice "
                        "(file .coerenza.<CODICE>.csv)"),
         QStringLiteral("analizzare la matrice"),
         QList<QCommandLineOption>{methodOption(), compositesOption()} + matrixOptions(),
         auditCommand},
        {QStringLiteral("weights"),
         QStringLiteral("orvalta-batch weights CARTELLA_DI_LAVORO --method CODICE --target "
                        "balance|pca [--composites FILE]") +
             matrixUsage(),
         QStringLiteral("calcola in ogni gruppo pesi che bilanciano le correlazioni degli "
                        "elementi con il gruppo (balance) o proporzionali ai quadrati dei carichi "
                        "della prima componente principale (pca) e scrive la struttura con i "
                        "nuovi pesi (file .pesi.<CODICE>.csv, da usare con --structure)"),
         QStringLiteral("calcolare i pesi"),
         QList<QCommandLineOption>{
             methodOption(),
             QCommandLineOption(QStringLiteral("target"),
                                QStringLiteral("balance (correlazioni uguali) o pca (prima "
                                               "componente principale)"),
                                QStringLiteral("balance|pca")),
             compositesOption()} +
             matrixOptions(),
         weightsCommand},
        {QStringLiteral("export"),
         QStringLiteral("orvalta-batch export CARTELLA_DI_LAVORO FILE.xlsx") + matrixUsage(),
         QStringLiteral("scrive in una cartella .xlsx la matrice e tutti i risultati, i "
                        "confronti e le analisi di robustezza"),
         QStringLiteral("esportare i risultati"), matrixOptions(), exportCommand},
        {QStringLiteral("history"),
         QStringLiteral("orvalta-batch history CARTELLA_DI_LAVORO"),
         QStringLiteral("per ogni file scritto accanto alla cartella: chi lo ha scritto, quando, "
                        "da quali file e se e' attuale (dal registro .registro.json)"),
         QStringLiteral("leggere il registro"),
         {},
         historyCommand},
        {QStringLiteral("replay"),
         QStringLiteral("orvalta-batch replay CARTELLA_DI_LAVORO [--into CARTELLA]"),
         QStringLiteral("ripete su una copia i comandi registrati dei file attuali e confronta "
                        "ogni file con quello registrato (identico o diverso)"),
         QStringLiteral("ripetere i calcoli registrati"),
         {QCommandLineOption(QStringLiteral("into"),
                             QStringLiteral("la cartella della copia (una temporanea se non "
                                            "indicata)"),
                             QStringLiteral("CARTELLA"))},
         replayCommand},
    };
}

} // namespace

const std::vector<BatchCommand>& batchCommands() {
    static const std::vector<BatchCommand> commands = [] {
        std::vector<BatchCommand> all;
        for (const auto group : {resultCommands, uncertaintyCommands, otherCommands})
            for (BatchCommand& command : group())
                all.push_back(std::move(command));
        return all;
    }();
    return commands;
}
