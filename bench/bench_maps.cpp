// Maps of many units: reading a boundary file of 8,000 shapes with about
// 2 million vertices in geographic coordinates (projected on reading),
// building its picture, and another on the same shapes (a new choice),
// drawing it, drawing a zoomed part (a step of panning), finding the unit
// under the mouse, and writing the SVG.
#include "guisupport/benchwindows.h"

#include "geo/boundaries.h"
#include "geo/boundaryjoin.h"
#include "ui/maps/mapexport.h"
#include "ui/maps/mappicture.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <optional>

namespace {

constexpr int kColumns = 100;
constexpr int kRows = 80;      // 8,000 units
constexpr int kVertices = 250; // per shape: 2 million in all

QString unitName(int i) {
    return QStringLiteral("Comune %1").arg(i + 1);
}

// A GeoJSON of kColumns x kRows shapes over Italy's latitudes, each a ring
// of kVertices points around its cell's centre with a jagged radius.
QByteArray generatedBoundaries() {
    QByteArray json = R"({"type":"FeatureCollection","features":[)";
    const double width = 12.0 / kColumns;
    const double height = 11.0 / kRows;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const int i = r * kColumns + c;
            if (i > 0)
                json += ',';
            json += R"({"type":"Feature","properties":{"nome":")" + unitName(i).toUtf8() +
                    R"("},"geometry":{"type":"Polygon","coordinates":[[)";
            const double x0 = 6 + (c + 0.5) * width;
            const double y0 = 36 + (r + 0.5) * height;
            for (int v = 0; v <= kVertices; ++v) {
                const double angle = 2 * M_PI * (v % kVertices) / kVertices;
                const double radius = 0.5 * (0.85 + 0.15 * std::sin(7 * angle + i));
                json += (v ? ",[" : "[") +
                        QByteArray::number(x0 + radius * width * std::cos(angle), 'f', 5) + ',' +
                        QByteArray::number(y0 + radius * height * std::sin(angle), 'f', 5) + ']';
            }
            json += "]]}}";
        }
    json += "]}";
    return json;
}

struct Fixture {
    QTemporaryDir folder;
    QString path;
    std::optional<BoundaryLayer> layer;
    std::optional<MapPicture> picture;
};

Fixture& fixture() {
    static Fixture* made = [] {
        auto* f = new Fixture;
        f->path = f->folder.filePath(QStringLiteral("comuni.confini.geojson"));
        QFile file(f->path);
        if (file.open(QIODevice::WriteOnly))
            file.write(generatedBoundaries());
        file.close();
        Expected<BoundaryLayer> layer = readBoundaries(f->path);
        if (!layer)
            return f;
        f->layer = std::move(*layer);
        MapSeries series;
        series.title = QStringLiteral("Indice");
        series.method = QStringLiteral("MPI+");
        for (int i = 0; i < kColumns * kRows; ++i) {
            series.labels.append(unitName(i));
            series.values.push_back(i % 7 == 0 ? NAN : std::sin(i * 0.37) * 10 + 100);
        }
        const Expected<BoundaryJoin> join = joinBoundaries(*f->layer, series.labels);
        if (join)
            f->picture.emplace(*f->layer, *join, series, MapStyle{5, BreakMethod::Jenks},
                               Regional(QLocale::c()), QStringLiteral("Fonte: prova"));
        return f;
    }();
    return *made;
}

void BM_ReadBoundaries(benchmark::State& state) {
    const QString path = fixture().path;
    for (auto _ : state) {
        const Expected<BoundaryLayer> layer = readBoundaries(path);
        if (!layer) {
            state.SkipWithError("the boundary file was not read");
            return;
        }
        state.counters["vertices"] = double(layer->vertexCount);
    }
}
BENCHMARK(BM_ReadBoundaries)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_BuildPicture(benchmark::State& state) {
    Fixture& f = fixture();
    MapSeries series;
    for (int i = 0; i < kColumns * kRows; ++i) {
        series.labels.append(unitName(i));
        series.values.push_back(double(i % 101));
    }
    for (auto _ : state) {
        const Expected<BoundaryJoin> join = joinBoundaries(*f.layer, series.labels);
        const MapPicture picture(*f.layer, *join, series, MapStyle{5, BreakMethod::Jenks},
                                 Regional(QLocale::c()), QString());
        benchmark::DoNotOptimize(picture.classes().size());
    }
}
BENCHMARK(BM_BuildPicture)->Unit(benchmark::kMillisecond)->Iterations(3);

// A new choice on a page: the picture of other values on the shapes already
// built; arg: the class method (0 quantiles, 2 natural breaks).
void BM_NewChoice(benchmark::State& state) {
    Fixture& f = fixture();
    MapSeries series;
    for (int i = 0; i < kColumns * kRows; ++i) {
        series.labels.append(unitName(i));
        series.values.push_back(std::cos(i * 0.11) * 20 + 50);
    }
    const Expected<BoundaryJoin> join = joinBoundaries(*f.layer, series.labels);
    const auto shapes = std::make_shared<const MapShapes>(*f.layer, *join, QLocale::c());
    for (auto _ : state) {
        const MapPicture picture(shapes, series, MapStyle{5, BreakMethod(state.range(0))},
                                 Regional(QLocale::c()), QString());
        benchmark::DoNotOptimize(picture.classes().size());
    }
}
BENCHMARK(BM_NewChoice)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(3);

// Arg 0: the whole map; 1: a sixteenth of it, as when zoomed in and panning.
void BM_DrawMap(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.picture) {
        state.SkipWithError("no picture");
        return;
    }
    QImage image(1600, 1200, QImage::Format_ARGB32_Premultiplied);
    QRectF shown;
    if (state.range(0) == 1) {
        const QRectF all = f.picture->extent();
        shown = QRectF(all.center(), all.size() / 4);
    }
    for (auto _ : state) {
        QPainter painter(&image);
        f.picture->draw(painter, image.rect(), shown);
    }
}
BENCHMARK(BM_DrawMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UnitUnderMouse(benchmark::State& state) {
    Fixture& f = fixture();
    const QRectF target(0, 0, 1600, 1200);
    int found = 0;
    for (auto _ : state) {
        for (int k = 0; k < 100; ++k)
            found += f.picture->unitAt(QPointF(200 + 9 * k, 150 + 7 * k), target) >= 0 ? 1 : 0;
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_UnitUnderMouse)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WriteSvg(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        state.counters["MB"] = double(mapSvg(*f.picture, QSize(1600, 1200)).size()) / 1e6;
}
BENCHMARK(BM_WriteSvg)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
