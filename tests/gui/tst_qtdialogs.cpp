#include "menuorv.h"
#include "support/workrecorder.h"
#include "ui/platform/imagesizedialog.h"
#include "ui/platform/qtdialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestQtDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void workbookFilter();
    void imageSize();
    void choiceWithShare();
    void messageBox_data();
    void messageBox();
    void endProgramLeavesTheEventLoop();
};

void TestQtDialogs::messageBox_data() {
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("expected");
    QTest::newRow("none") << int(Dialogs::Icon::None) << int(QMessageBox::NoIcon);
    QTest::newRow("information") << int(Dialogs::Icon::Information)
                                 << int(QMessageBox::Information);
    QTest::newRow("warning") << int(Dialogs::Icon::Warning) << int(QMessageBox::Warning);
    QTest::newRow("critical") << int(Dialogs::Icon::Critical) << int(QMessageBox::Critical);
}

void TestQtDialogs::messageBox() {
    QFETCH(int, icon);
    QFETCH(int, expected);
    const auto box = QtDialogs::messageBox(QStringLiteral("Testo"), QStringLiteral("Orvalta"),
                                           Dialogs::Icon(icon), nullptr);
    QCOMPARE(int(box->icon()), expected);
    QCOMPARE(box->windowTitle(), QStringLiteral("Orvalta"));
    QCOMPARE(box->text(), QStringLiteral("Testo"));
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
}

// The matrix filter ignores letter case and leaves out what the program wrote.
void TestQtDialogs::workbookFilter() {
    QTemporaryDir dir;
    for (const char* name :
         {"A.XLS", "b.xlsx", "c.Xls", "d.txt", "e.xlsm", "f.ODS", "g.Csv", "h.tsv", "i.odt",
          "A.XLS.outMPI+.csv", "b.xlsx.risultati.xlsx", "g.Csv.unc.csv", "spesa.rob.csv"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const auto dialog = QtDialogs::workbookDialog(QStringLiteral("Seleziona la matrice sorgente"),
                                                  MenuORV::workbookFilter(), dir.path(), nullptr);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Seleziona la matrice sorgente"));
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    dialog->show();

    // The files the dialog lists, as its list view shows them.
    auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QVERIFY(list);
    const auto shown = [&] {
        QStringList names;
        const QModelIndex root = list->rootIndex();
        for (int r = 0; r < list->model()->rowCount(root); ++r)
            names.append(list->model()->index(r, 0, root).data().toString());
        names.sort();
        return names;
    };
    QTRY_COMPARE_WITH_TIMEOUT(shown(),
                              (QStringList{"A.XLS", "b.xlsx", "c.Xls", "d.txt", "f.ODS", "g.Csv",
                                           "h.tsv", "spesa.rob.csv"}),
                              kPatienceMs);

    // A hidden name typed by hand is still taken.
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(QStringLiteral("A.XLS.outMPI+.csv"));
    static_cast<QDialog*>(dialog.get())->accept(); // as the Open button does
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->selectedFiles(),
             QStringList{dir.filePath(QStringLiteral("A.XLS.outMPI+.csv"))});
}

void TestQtDialogs::imageSize() {
    // A chart twice as wide as high: 1,600 pixels at 300 dpi by default.
    ImageSizeDialog dialog(ImageSize(), 0.5);
    QCOMPARE(dialog.size(), (ImageSize{1600, 300}));
    QCOMPARE(dialog.outcomeLabel()->text(),
             QStringLiteral("Immagine di 1600 × 800 pixel; in stampa 13.5 × 6.8 cm."));
    dialog.widthBox()->setValue(1000);
    dialog.dpiBox()->setValue(100);
    QCOMPARE(dialog.size(), (ImageSize{1000, 100}));
    QCOMPARE(dialog.outcomeLabel()->text(),
             QStringLiteral("Immagine di 1000 × 500 pixel; in stampa 25.4 × 12.7 cm."));

    // Through the dialogs: the size chosen comes back, a cancel keeps it.
    QtDialogs dialogs;
    for (const bool accept : {true, false}) {
        QTimer::singleShot(0, [accept] {
            auto* shown = qobject_cast<ImageSizeDialog*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            shown->widthBox()->setValue(800);
            accept ? shown->accept() : shown->reject();
        });
        ImageSize size{1200, 150};
        QCOMPARE(dialogs.askImageSize(size, 0.75), accept);
        QCOMPARE(size, (ImageSize{accept ? 800 : 1200, 150}));
    }
}

// The option pressed is the answer and the share set beside it comes back;
// a cancel keeps the share.
void TestQtDialogs::choiceWithShare() {
    QtDialogs dialogs;
    for (const bool choose : {true, false}) {
        QTimer::singleShot(0, [choose] {
            QWidget* shown = QApplication::activeModalWidget();
            QVERIFY(shown);
            auto* percent = shown->findChild<QDoubleSpinBox*>(QStringLiteral("spinQuota"));
            QVERIFY(percent);
            QCOMPARE(percent->value(), 65.0);
            percent->setValue(80.0);
            auto* buttons = shown->findChild<QDialogButtonBox*>();
            QVERIFY(buttons);
            if (!choose)
                buttons->button(QDialogButtonBox::Cancel)->click();
            for (QAbstractButton* button : buttons->buttons())
                if (choose && button->text() == QStringLiteral("Media"))
                    button->click();
        });
        double share = 0.65;
        const int chosen = dialogs.chooseWithShare(
            QStringLiteral("Come?"), QStringLiteral("Titolo"),
            {QStringLiteral("Nessuno"), QStringLiteral("Media")}, QStringLiteral("Quota:"), share);
        QCOMPARE(chosen, choose ? 1 : -1);
        QCOMPARE(share, choose ? 0.8 : 0.65);
    }
}

void TestQtDialogs::endProgramLeavesTheEventLoop() {
    QMainWindow window;
    window.show();
    QtDialogs dialogs;
    QTimer::singleShot(0, [&dialogs] { dialogs.endProgram(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); }); // a safety net only
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
