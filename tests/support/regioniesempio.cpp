#include "support/regioniesempio.h"

std::vector<std::vector<CellValue>> regioniEsempio() {
    const auto t = [](const char* text) { return CellValue(QString::fromUtf8(text)); };
    std::vector<std::vector<CellValue>> rows{
        {t("Regione"), t("PIL pro capite (migliaia di euro)"), t("Tasso di occupazione 20-64 (%)"),
         t("disoccupazione giovanile (%)"), t("Speranza di vita alla nascita"),
         t("abbandono scolastico (%)"), t("Laureati 30-34 anni (%)"),
         t("povertà relativa familiare (%)"), t("emigrazione ospedaliera (%)")}};
    const struct {
        const char* name;
        double values[8];
    } data[] = {
        {"Piemonte", {31.2, 70.1, 22.4, 82.9, 10.8, 27.1, 7.9, 7.6}},
        {"Valle d'Aosta/Vallée d'Aoste", {37.4, 72.9, 17.8, 82.4, 13.2, 25.3, 6.4, 16.2}},
        {"Lombardia", {39.1, 72.0, 18.3, 83.4, 11.3, 32.6, 6.6, 4.5}},
        {"Trentino-Alto Adige/Südtirol", {42.3, 75.6, 12.1, 84.0, 9.9, 30.4, 5.3, 6.8}},
        {"Veneto", {33.5, 71.8, 16.7, 83.6, 8.5, 29.9, 6.0, 6.1}},
        {"Friuli-Venezia Giulia", {32.6, 71.2, 18.9, 83.1, 7.9, 31.2, 7.1, 5.9}},
        {"Liguria", {31.9, 68.3, 26.2, 82.8, 11.6, 30.8, 9.7, 12.4}},
        {"Emilia-Romagna", {37.0, 74.2, 17.5, 83.5, 9.6, 33.5, 5.9, 5.2}},
        {"Toscana", {32.3, 71.7, 20.4, 83.4, 10.7, 31.7, 6.8, 6.3}},
        {"Umbria", {26.5, 68.0, 23.6, 83.6, 9.4, 32.1, 11.5, 10.8}},
        {"Marche", {28.4, 69.2, 21.1, 83.5, 9.2, 28.8, 9.4, 12.9}},
        {"Lazio", {34.2, 65.8, 29.8, 83.0, 10.1, 34.9, 9.9, 9.7}},
        {"Abruzzo", {25.7, 62.7, 26.4, 82.8, 9.0, 25.6, 14.3, 17.1}},
        {"Molise", {22.8, 59.8, 33.5, 82.3, 11.8, 26.7, 15.9, 28.4}},
        {"Campania", {19.7, 47.3, 43.9, 81.3, 16.4, 21.1, 21.4, 11.3}},
        {"Puglia", {19.9, 50.1, 36.2, 82.6, 15.6, 20.8, 20.5, 9.8}},
        {"Basilicata", {22.1, 55.2, 34.7, 82.5, 10.5, 22.6, 16.8, 26.5}},
        {"Calabria", {17.9, 45.6, 42.3, 82.0, 14.0, 20.2, 24.1, 21.7}},
        {"Sicilia", {18.5, 45.8, 45.1, 81.7, 19.4, 19.3, 22.9, 8.2}},
        {"Sardegna", {21.9, 56.4, 35.8, 82.9, 13.2, 22.4, 17.6, 7.1}},
    };
    for (const auto& unit : data) {
        std::vector<CellValue> row{t(unit.name)};
        for (double value : unit.values)
            row.emplace_back(value);
        rows.push_back(std::move(row));
    }
    return rows;
}
