#pragma once

#include "ui/platform/dialogs.h"

// What the windows' benchmarks share.

// 20,000 units, or ORVALTA_BENCH_UNITS when it is set.
int benchUnits();

// Answers nothing and shows nothing: the benchmarks never ask; messages
// counts what would have been shown.
class SilentDialogs : public Dialogs {
public:
    QString openWorkbook(const QString&, const QString&, const QString&) override {
        return QString();
    }
    QString pickFolder(const QString&, const QString&) override { return QString(); }
    QString saveFile(const QString&, const QString&, const QString&) override { return QString(); }
    void message(const QString&, const QString&, Icon) override { ++messages; }
    int choose(const QString&, const QString&, const QStringList&) override { return -1; }
    void endProgram() override {}
    int messages = 0;
};

// Starts a QApplication (offscreen unless QT_QPA_PLATFORM says otherwise,
// without the offscreen platform's notes on window hints) and runs the
// registered benchmarks.
int runWindowBenchmarks(int argc, char** argv);
