#include "commands.h"

#include "shared/memoria.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

const char* const kUso =
    "Uso: orvalta-batch COMANDO CARTELLA_DI_LAVORO [OPZIONI]\n"
    "\n"
    "Comandi:\n"
    "  check CARTELLA_DI_LAVORO\n"
    "      legge e verifica la matrice sorgente e ne stampa le statistiche\n"
    "  run CARTELLA_DI_LAVORO [--methods CODICE[,CODICE...]]\n"
    "      esegue i metodi (tutti e nove se non indicati) e scrive i file dei risultati\n"
    "  compare CARTELLA_DI_LAVORO CODICE CODICE [CODICE...] | --all\n"
    "      confronta i metodi gia' elaborati e scrive i file di confronto\n"
    "\n"
    "Stato di uscita: 0 riuscito, 1 errore (file, uso), 2 matrice rifiutata,\n"
    "3 almeno un metodo ha rifiutato i dati.\n";

} // namespace

void scriviOut(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void scriviErr(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QStringLiteral("--help") ||
        args.first() == QStringLiteral("-h")) {
        std::fputs(kUso, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 1 : 0;
    }
    const QString command = args.takeFirst();
    struct Comando {
        const char* nome;
        int (*esegui)(const QStringList&);
        QString azione; // what runs out of memory, in the message
    };
    const Comando comandi[] = {
        {"check", comandoCheck, QStringLiteral("leggere e verificare la matrice")},
        {"run", comandoRun, QStringLiteral("eseguire i metodi")},
        {"compare", comandoCompare, QStringLiteral("confrontare i metodi")},
    };
    for (const Comando& comando : comandi) {
        if (command != QLatin1StringView(comando.nome))
            continue;
        int status = 1;
        conMemoriaSufficiente(
            comando.azione, [&] { status = comando.esegui(args); },
            [](const QString& message) { scriviErr(message); });
        return status;
    }
    scriviErr(QStringLiteral("Comando sconosciuto: %1").arg(command));
    std::fputs(kUso, stderr);
    return 1;
}
