#include "support/recordingdialogs.h"
#include "support/workrecorder.h"
#include "ui/platform/backgroundwork.h"
#include "ui/platform/clockstatusbar.h"
#include "ui/platform/contrast.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/hintlabel.h"
#include "ui/platform/pathelision.h"
#include "ui/platform/usersettings.h"

#include "support/testsupport.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QVBoxLayout>

#include <new>

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void workRunsOffTheWindowThread();
    void stoppingWork_data();
    void stoppingWork();
    void outOfMemoryLeavesWindowUsable();
    void seriesKeepsControlsOff();
    void pathsElidedOnFolders();
    void hintsReadable();
    void failuresShownByKind_data();
    void failuresShownByKind();
    void settingsThatAreNoFileIgnored();
};

namespace {

// A window with one control and a status bar, as the program's windows have.
struct Window {
    QDialog dialog;
    QPushButton* control = new QPushButton(QStringLiteral("Esegui"), &dialog);
    ClockStatusBar* bar = new ClockStatusBar(QLocale::c(), &dialog);
    BackgroundWork* work = new BackgroundWork(&dialog, bar);

    Window() {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(control);
        layout->addWidget(bar);
        work->setControls({control});
        dialog.show();
    }
    QPushButton* cancelButton() const {
        return bar->findChild<QPushButton*>(QStringLiteral("stbAnnulla"));
    }
};

} // namespace

void TestPlatform::initTestCase() {
    BackgroundWork::setRevealDelay(0);
}

void TestPlatform::workRunsOffTheWindowThread() {
    Window w;
    w.bar->setPanelText(QStringLiteral("Pronto"));
    WorkRecorder recorder(&w.dialog, {w.control});
    std::atomic<bool> seen{false};
    QString shown;
    recorder.onStart = [&] {
        whenTrue([&] { return w.bar->shownPanelText() == QStringLiteral("Lettura... 45%"); },
                 [&] {
                     shown = w.bar->shownPanelText();
                     seen = true;
                 });
    };
    QThread* thread = nullptr;
    int result = 0;
    const auto outcome = w.work->run(QStringLiteral("Lettura"), [&](WorkProgress& progress) {
        thread = QThread::currentThread();
        progress.setPercent(45);
        while (!seen)
            QThread::msleep(2);
        result = 42;
    });

    QCOMPARE(outcome, BackgroundWork::Outcome::Finished);
    QCOMPARE(shown, QStringLiteral("Lettura... 45%")); // shown while the work ran
    QCOMPARE(result, 42);
    QVERIFY(thread && thread != QThread::currentThread());
    QCOMPARE(recorder.steps, QStringList{QStringLiteral("Lettura")});
    QVERIFY(recorder.controlsOffThroughout);
    QVERIFY(!w.cancelButton()->isVisibleTo(&w.dialog)); // this work cannot stop
    // Afterwards the window is as it was.
    QVERIFY(w.control->isEnabled());
    QVERIFY(!w.bar->showsWork());
    QCOMPARE(w.bar->shownPanelText(), QStringLiteral("Pronto"));
}

void TestPlatform::stoppingWork_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("cancellable");
    for (const char* how : {"annulla", "esc", "close"}) {
        QTest::addRow("%s, cancellable", how) << QString::fromLatin1(how) << true;
        if (qstrcmp(how, "annulla") != 0)
            QTest::addRow("%s, not cancellable", how) << QString::fromLatin1(how) << false;
    }
}

void TestPlatform::stoppingWork() {
    QFETCH(QString, how);
    QFETCH(bool, cancellable);
    Window w;
    WorkRecorder recorder(&w.dialog, {});
    bool annullaShown = false;
    recorder.onStart = [&] {
        annullaShown = w.cancelButton()->isVisibleTo(&w.dialog);
        if (how == QStringLiteral("annulla"))
            QTest::mouseClick(w.cancelButton(), Qt::LeftButton);
        else if (how == QStringLiteral("esc"))
            QTest::keyClick(&w.dialog, Qt::Key_Escape);
        else
            w.dialog.close();
    };
    bool stopped = false;
    w.work->run(
        QStringLiteral("Lettura"),
        [&](WorkProgress& progress) {
            // Work that cannot stop goes on to its end.
            QDeadlineTimer deadline(cancellable ? kPatienceMs : 100);
            while (!progress.cancelled() && !deadline.hasExpired())
                QThread::msleep(2);
            stopped = progress.cancelled();
        },
        cancellable);

    QCOMPARE(annullaShown, cancellable);
    QCOMPARE(stopped, cancellable);
    // The window never closes while work runs.
    QVERIFY(w.dialog.isVisible());
}

void TestPlatform::outOfMemoryLeavesWindowUsable() {
    Window w;
    const auto outcome =
        w.work->run(QStringLiteral("Calcolo"), [](WorkProgress&) { throw std::bad_alloc(); });
    QCOMPARE(outcome, BackgroundWork::Outcome::OutOfMemory);
    QVERIFY(w.control->isEnabled());
    QVERIFY(!w.bar->showsWork());
    QVERIFY(BackgroundWork::outOfMemoryText(QStringLiteral("eseguire il metodo WROC"))
                .startsWith(QStringLiteral("Memoria insufficiente per eseguire il metodo WROC.")));
}

void TestPlatform::seriesKeepsControlsOff() {
    Window w;
    WorkRecorder recorder(&w.dialog, {w.control});
    {
        const BackgroundWork::Series series(*w.work);
        for (const char* step : {"Metodo 1 di 2: MPI+", "Metodo 2 di 2: MPI-"}) {
            w.work->run(QString::fromLatin1(step), [](WorkProgress&) {});
            // Between the runs the window still shows work under way.
            QVERIFY(!w.control->isEnabled());
            QVERIFY(w.bar->showsWork());
        }
        // While a series lasts the window does not close either.
        w.dialog.close();
        QVERIFY(w.dialog.isVisible());
    }
    QCOMPARE(recorder.steps, (QStringList{"Metodo 1 di 2: MPI+", "Metodo 2 di 2: MPI-"}));
    QVERIFY(recorder.controlsOffThroughout);
    QVERIFY(w.control->isEnabled());
    QVERIFY(!w.bar->showsWork());
}

void TestPlatform::pathsElidedOnFolders() {
    const QString path = QStringLiteral("/home/anna/Documenti/Statistiche/regioni.xlsx");
    const QFontMetrics metrics(QApplication::font());
    const auto width = [&](const char* text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text));
    };
    QCOMPARE(elidePath(path, metrics, width("/home/anna/Documenti/Statistiche/regioni.xlsx")),
             path);
    QCOMPARE(elidePath(path, metrics, width("…/Statistiche/regioni.xlsx") + 2),
             QStringLiteral("…/Statistiche/regioni.xlsx"));
    const QString cut = elidePath(path, metrics, width("…/regio…xlsx"));
    QVERIFY2(cut.startsWith(QStringLiteral("…/")) && cut.endsWith(QStringLiteral("xlsx")) &&
                 cut.size() < 16,
             qPrintable(cut));

    // In the status bar the text before the path stays whole; the tool tip
    // holds everything.
    ClockStatusBar bar(QLocale::c());
    bar.setPanelText(QStringLiteral("Matrice sorgente: "), path);
    bar.resize(width("Matrice sorgente: …/Statistiche/regioni.xlsx") + 200, 30);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QTRY_VERIFY2_WITH_TIMEOUT(
        bar.shownPanelText().startsWith(QStringLiteral("Matrice sorgente: …/")),
        qPrintable(bar.shownPanelText()), kPatienceMs);
    QVERIFY(bar.shownPanelText().endsWith(QStringLiteral("/regioni.xlsx")));
    QCOMPARE(bar.findChild<QLabel*>(QStringLiteral("stbPanel1"))->toolTip(),
             QStringLiteral("Matrice sorgente: ") + path);
}

void TestPlatform::hintsReadable() {
    QWidget parent;
    HintLabel hint(QStringLiteral("lblSuggerimento"), &parent);
    // The default palette, and a dark one whose placeholder colour is too
    // faint to read.
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::PlaceholderText, QColor(0x50, 0x50, 0x50));
    for (const QPalette& palette : {hint.palette(), dark}) {
        hint.setPalette(palette);
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base})
            QVERIFY2(contrastRatio(hint.textColour(), palette.color(role)) >= 4.5,
                     qPrintable(hint.textColour().name()));
    }
    QCOMPARE(contrastRatio(Qt::black, Qt::white), 21.0);
}

void TestPlatform::failuresShownByKind_data() {
    QTest::addColumn<FailureKind>("kind");
    QTest::addColumn<int>("icon"); // -1: nothing shown
    QTest::newRow("refused matrix: no icon") << FailureKind::Refused << int(Dialogs::Icon::None);
    QTest::newRow("method refusal: no icon")
        << FailureKind::MethodRefused << int(Dialogs::Icon::None);
    QTest::newRow("file") << FailureKind::File << int(Dialogs::Icon::Critical);
    QTest::newRow("usage") << FailureKind::Usage << int(Dialogs::Icon::Warning);
    QTest::newRow("cancelled: the user's own doing") << FailureKind::Cancelled << -1;
}

// One box with the message under the program's title, the icon told by the
// kind of the failure.
void TestPlatform::failuresShownByKind() {
    QFETCH(FailureKind, kind);
    QFETCH(int, icon);
    RecordingDialogs dialogs;
    showFailure(dialogs, failure(kind, QStringLiteral("Messaggio")));
    if (icon < 0) {
        QVERIFY(dialogs.messages.isEmpty());
        return;
    }
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("Messaggio"));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("Orvalta"));
    QCOMPARE(int(dialogs.messages[0].icon), icon);
}

// A settings file that is a pipe or a device is never opened: the program
// starts with the defaults, says why, and keeps nothing.
void TestPlatform::settingsThatAreNoFileIgnored() {
    QTemporaryDir dir;
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    const auto restore = qScopeGuard([&previous] {
        UserSettings::useFile(QString());
        if (previous.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", previous);
    });
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Orvalta")));
    const QString file = dir.filePath(QStringLiteral("Orvalta/Orvalta.conf"));
    for (const SpecialFile kind : {SpecialFile::Pipe, SpecialFile::Device}) {
        QVERIFY(makeSpecialFile(file, kind));
        auto warning = std::make_shared<QString>();
        auto recent = std::make_shared<QStringList>();
        QVERIFY(finishesWithin(5000, [warning, recent] {
            *warning = UserSettings::useUserStore();
            UserSettings::addRecentWorkbook(QStringLiteral("/dati/M.xlsx"));
            *recent = UserSettings::recentWorkbooks();
        }));
        QCOMPARE(*warning, QStringLiteral("Il file delle impostazioni %1 non è un file regolare: "
                                          "viene ignorato, il programma parte con le "
                                          "impostazioni predefinite e non le salva.")
                               .arg(file));
        QVERIFY(recent->isEmpty());
    }
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
