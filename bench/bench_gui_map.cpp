// Whether a map of 8,000 units of 250 vertices each (2 million vertices;
// ORVALTA_BENCH_UNITS sets another number of units) keeps the window
// answering: the picture is made and drawn on a map page's view, then the
// map is dragged (60 moves), zoomed (10 wheel turns) and hovered (200
// moves) through mouse events, the event loop running between them. Each
// step reports its time and the longest time the event loop went without
// processing events (stall_ms); the longest time one event took to handle
// and paint is reported as event_ms, and how many events took over 100 ms as
// events_over_100. machine_pause_ms is the control: the longest time a fixed
// quarter-millisecond computation took over four seconds of the same run, the
// machine's own pauses, which no stall below it can be told from. Runs
// offscreen unless QT_QPA_PLATFORM says otherwise.
#include "geo/boundaries.h"
#include "geo/boundaryjoin.h"
#include "guisupport/benchwindows.h"
#include "guisupport/machinepause.h"
#include "guisupport/stallmeter.h"
#include "ui/mappage/mapview.h"
#include "ui/maps/mappicture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr int kVertices = 250;

// Units on a grid of square cells 1,000 m wide, each a wavy ring.
BoundaryLayer generatedLayer(int units) {
    BoundaryLayer layer;
    layer.fields = {QStringLiteral("nome")};
    layer.isText = {true};
    layer.projection = QStringLiteral("piano generato");
    layer.projectedByFile = true;
    const int columns = int(std::ceil(std::sqrt(units * 1.25)));
    for (int unit = 0; unit < units; ++unit) {
        const QPointF centre(1000.0 * (unit % columns) + 500, 1000.0 * (unit / columns) + 500);
        std::vector<QPointF> ring;
        for (int vertex = 0; vertex < kVertices; ++vertex) {
            const double angle = 2 * std::numbers::pi * vertex / kVertices;
            const double radius = 420 + 60 * std::sin(7 * angle + unit);
            ring.emplace_back(centre.x() + radius * std::cos(angle),
                              centre.y() + radius * std::sin(angle));
        }
        ring.push_back(ring.front());
        MapShape shape;
        shape.attributes = {QStringLiteral("U%1").arg(unit)};
        shape.bounds = QRectF(centre - QPointF(500, 500), QSizeF(1000, 1000));
        shape.rings.push_back(std::move(ring));
        layer.extent = layer.extent.united(shape.bounds);
        layer.vertexCount += kVertices + 1;
        layer.shapes.push_back(std::move(shape));
    }
    return layer;
}

double longestStall = 0;

// The times the events of a step took to handle and paint.
struct EventTimes {
    double longest = 0;
    int over100 = 0;
};

// Sends an event to view and paints it at once, counting the time both took.
void handled(MapView& view, QEvent& event, EventTimes& times) {
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::sendEvent(&view, &event);
    view.repaint();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    times.longest = std::max(times.longest, ms);
    times.over100 += ms > 100;
}

// Runs step, which sends events when it is given a place to count them.
template <typename Step>
void measure(benchmark::State& state, const char* name, bool sendsEvents, Step step) {
    StallMeter meter;
    QElapsedTimer clock;
    EventTimes times;
    meter.start();
    clock.start();
    step(times);
    QCoreApplication::processEvents();
    meter.stop();
    state.counters[std::string(name) + "_ms"] = double(clock.elapsed());
    state.counters[std::string(name) + "_stall_ms"] = meter.longestMs();
    if (sendsEvents) {
        state.counters[std::string(name) + "_event_ms"] = times.longest;
        state.counters[std::string(name) + "_events_over_100"] = times.over100;
    }
    longestStall = std::max(longestStall, meter.longestMs());
}

// Lets the event loop run for ms milliseconds.
void runFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_MapStaysAnswering(benchmark::State& state) {
    const int units = qEnvironmentVariableIsSet("ORVALTA_BENCH_UNITS") ? benchUnits() : 8000;
    const BoundaryLayer layer = generatedLayer(units);
    QStringList labels;
    MapSeries series;
    series.title = QStringLiteral("Indice");
    for (int unit = 0; unit < units; ++unit) {
        labels.append(QStringLiteral("U%1").arg(unit));
        series.values.push_back(std::fmod(unit * 0.618, 1.0));
    }
    series.labels = labels;
    const Regional regional{QLocale(QLocale::Italian, QLocale::Italy)};
    const Expected<BoundaryJoin> join = joinBoundaries(layer, labels);
    if (!join) {
        state.SkipWithError("join");
        return;
    }
    for (auto _ : state) {
        MapView view;
        view.resize(1200, 800);
        view.show();
        std::shared_ptr<const MapPicture> picture;
        measure(state, "picture", false, [&](EventTimes&) {
            picture = std::make_shared<const MapPicture>(layer, *join, series, MapStyle(), regional,
                                                         QStringLiteral("Fonte"));
        });
        measure(state, "first_drawing", false, [&](EventTimes&) {
            view.setPicture(picture);
            while (!view.isCurrent())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        });
        measure(state, "pan", true, [&](EventTimes& times) {
            QPointF at(600, 400);
            QMouseEvent press(QEvent::MouseButtonPress, at, view.mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, {});
            handled(view, press, times);
            for (int move = 0; move < 60; ++move) {
                at += QPointF(4, 2);
                QMouseEvent drag(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton,
                                 Qt::LeftButton, {});
                handled(view, drag, times);
                runFor(16);
            }
            QMouseEvent release(QEvent::MouseButtonRelease, at, view.mapToGlobal(at),
                                Qt::LeftButton, Qt::NoButton, {});
            handled(view, release, times);
            runFor(300);
        });
        measure(state, "zoom", true, [&](EventTimes& times) {
            for (int turn = 0; turn < 10; ++turn) {
                const QPointF at(500 + 10 * turn, 380);
                QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                                  {}, Qt::NoScrollPhase, false);
                handled(view, wheel, times);
                runFor(40);
            }
            runFor(300);
            view.showWhole();
            while (!view.isCurrent())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        });
        measure(state, "hover", true, [&](EventTimes& times) {
            for (int move = 0; move < 200; ++move) {
                const QPointF at(100 + (move * 37) % 1000, 100 + (move * 53) % 600);
                QMouseEvent hover(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton,
                                  Qt::NoButton, {});
                handled(view, hover, times);
                runFor(5);
            }
        });
        state.counters["vertices"] = double(layer.vertexCount);
        state.counters["machine_pause_ms"] = longestMachinePauseMs(4000);
    }
}
BENCHMARK(BM_MapStaysAnswering)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    const int status = runWindowBenchmarks(argc, argv);
    std::printf("longest stall: %.0f ms\n", longestStall);
    return status;
}
