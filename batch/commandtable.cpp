#include "commands.h"

const std::vector<BatchCommand>& batchCommands() {
    static const std::vector<BatchCommand> commands{
        {QStringLiteral("check"),
         QStringLiteral("orvalta-batch check CARTELLA_DI_LAVORO"),
         QStringLiteral("legge e verifica la matrice sorgente e ne stampa le statistiche"),
         QStringLiteral("leggere e verificare la matrice"),
         {},
         comandoCheck},
        {QStringLiteral("run"),
         QStringLiteral("orvalta-batch run CARTELLA_DI_LAVORO [--methods CODICE[,CODICE...]]"),
         QStringLiteral("esegue i metodi (tutti e nove se non indicati) e scrive i file dei "
                        "risultati"),
         QStringLiteral("eseguire i metodi"),
         {QCommandLineOption(QStringLiteral("methods"),
                             QStringLiteral("i metodi da eseguire, separati da virgole"),
                             QStringLiteral("CODICE[,CODICE...]"))},
         comandoRun},
        {QStringLiteral("compare"),
         QStringLiteral("orvalta-batch compare CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | "
                        "--all"),
         QStringLiteral("confronta i metodi gia' elaborati e scrive i file di confronto"),
         QStringLiteral("confrontare i metodi"),
         {QCommandLineOption(QStringLiteral("all"),
                             QStringLiteral("tutti i metodi elaborati, nell'ordine dei nomi"))},
         comandoCompare},
        {QStringLiteral("export"),
         QStringLiteral("orvalta-batch export CARTELLA_DI_LAVORO FILE.xlsx"),
         QStringLiteral("scrive in una cartella .xlsx la matrice e tutti i risultati, i "
                        "confronti e le analisi di robustezza"),
         QStringLiteral("esportare i risultati"),
         {},
         comandoExport},
    };
    return commands;
}
