#include "guisupport/benchwindows.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

QtMessageHandler standardHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.contains(QStringLiteral("propagateSizeHints")))
        return;
    standardHandler(type, context, message);
}

} // namespace

int benchUnits() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("ORVALTA_BENCH_UNITS", &ok);
    return ok && n > 1 ? n : 20000;
}

int runWindowBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
