#include "ui/processing/compositesdialog.h"

#include "composite/compositespec.h"
#include "shared/resultnames.h"
#include "ui/platform/failuremessage.h"
#include "ui/platform/mnemonics.h"
#include "ui/platform/windowsetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// A choice of a list: its code in the definitions, its name and what it
// does, in one line each.
struct Choice {
    const char* code;
    const char* name;
    const char* help;
};

const Choice kNormalisations[] = {
    {"minmax", QT_TRANSLATE_NOOP("CompositesDialog", "Min-max (minmax)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "(x - min)/(max - min): 0 al peggiore, 1 al migliore; con parametri "
                       "a, b riportata su [a, b].")},
    {"zscore", QT_TRANSLATE_NOOP("CompositesDialog", "Punteggi z (zscore)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "(x - media)/scarto quadratico medio della popolazione; con parametri "
                       "m, s: m + s z (100, 10 come l'MPI).")},
    {"goalposts", QT_TRANSLATE_NOOP("CompositesDialog", "Soglie (goalposts)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "(x - Minimo)/(Massimo - Minimo) limitata a [0, 1], con Minimo e Massimo "
                       "dell'indicatore nella struttura; con parametri su [a, b].")},
    {"target", QT_TRANSLATE_NOOP("CompositesDialog", "Distanza dall'obiettivo (target)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "(x - Minimo)/(Obiettivo - Minimo) limitata a [0, 1], con l'Obiettivo "
                       "della struttura; senza Minimo il valore osservato più basso.")},
    {"rank", QT_TRANSLATE_NOOP("CompositesDialog", "Ranghi (rank)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "Il rango medio fra le unità, 1 al peggiore; i pari merito condividono "
                       "il rango medio.")},
    {"percentile", QT_TRANSLATE_NOOP("CompositesDialog", "Percentili (percentile)"),
     QT_TRANSLATE_NOOP("CompositesDialog", "(rango - 1)/(n - 1): 0 al peggiore, 1 al migliore.")},
    {"ratio", QT_TRANSLATE_NOOP("CompositesDialog", "Rapporto alla media (ratio)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "x/media (media/x per la polarità negativa): i numeri indice dei nove "
                       "metodi.")},
    {"none", QT_TRANSLATE_NOOP("CompositesDialog", "Nessuna (none)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "I valori così come sono; non ammessa per un indicatore di polarità "
                       "negativa.")},
};

const Choice kAggregations[] = {
    {"mean", QT_TRANSLATE_NOOP("CompositesDialog", "Media aritmetica (mean)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "Somma dei valori per i pesi divisa per il numero m degli elementi.")},
    {"geometric", QT_TRANSLATE_NOOP("CompositesDialog", "Media geometrica (geometric)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "Prodotto dei valori elevati al peso su m; uno zero dà zero, un valore "
                       "negativo è rifiutato.")},
    {"harmonic", QT_TRANSLATE_NOOP("CompositesDialog", "Media armonica (harmonic)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "m diviso la somma dei pesi sui valori; rifiuta i valori minori o "
                       "uguali a 0.")},
    {"power", QT_TRANSLATE_NOOP("CompositesDialog", "Media di potenza (power)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "(somma dei pesi per v elevato a p, divisa per m) elevata a 1/p; p "
                       "diverso da 0.")},
    {"mpi+", QT_TRANSLATE_NOOP("CompositesDialog", "MPI+ (mpi+)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "Media M più S per il coefficiente di variazione cv, pesati come "
                       "nell'MPI+.")},
    {"mpi-", QT_TRANSLATE_NOOP("CompositesDialog", "MPI- (mpi-)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "Media M meno S per cv, pesati come nell'MPI-: penalizza lo squilibrio "
                       "fra gli elementi.")},
};

const Choice kConstructions[] = {
    {"upward", QT_TRANSLATE_NOOP("CompositesDialog", "Verso l'alto (upward)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "Indicatori normalizzati una volta; ogni gruppo aggrega i valori dei suoi "
                       "elementi così come sono.")},
    {"per-level", QT_TRANSLATE_NOOP("CompositesDialog", "Per livello (per-level)"),
     QT_TRANSLATE_NOOP("CompositesDialog",
                       "Come i nove metodi: l'indice di ogni gruppo è normalizzato di nuovo "
                       "prima che il padre lo aggreghi.")},
};

QString translated(const char* text) {
    return QCoreApplication::translate("CompositesDialog", text);
}

template <std::size_t N> void fillChoices(QComboBox* box, const Choice (&choices)[N]) {
    for (const Choice& choice : choices)
        box->addItem(translated(choice.name), QString::fromLatin1(choice.code));
}

template <std::size_t N> QString helpOf(const Choice (&choices)[N], int index) {
    return index >= 0 && index < int(N) ? translated(choices[index].help) : QString();
}

// A choice's code: the text before its arguments.
QString bareCode(const QString& code) {
    return code.section(u'(', 0, 0);
}

// Whether the normalisation of that code takes two parameters.
bool takesParameters(const QString& code) {
    return code == u"minmax" || code == u"zscore" || code == u"goalposts";
}

QString numberCode(double value) {
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

QLabel* helpLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QDoubleSpinBox* parameterBox(double low, double high, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setLocale(QLocale::c());
    box->setRange(low, high);
    box->setDecimals(4);
    return box;
}

} // namespace

CompositesDialog::CompositesDialog(const QString& workbook, const CompositeList& composites,
                                   const QString& sheet, const QString& refusal, Dialogs& dialogs,
                                   QWidget* parent)
    : QDialog(parent), m_workbook(workbook), m_dialogs(dialogs), m_readOnly(!sheet.isEmpty()) {
    setupChildWindow(*this, QStringLiteral("MetodiPersonalizzati"));
    setWindowTitle(tr("Metodi personalizzati"));
    for (const Composite& composite : composites.composites)
        m_rows.push_back({composite.code, composite.name, composite.normalisation.code(),
                          composite.aggregation.code(), constructionCode(composite.construction)});

    const QString file = QFileInfo(resultFileName(workbook, ResultFileKind::Composites)).fileName();
    QString where =
        m_readOnly
            ? tr("Questi metodi sono definiti nel foglio %1 della cartella di lavoro, che prevale "
                 "sul file %2: si modificano nella cartella, non qui.")
                  .arg(sheet, file)
            : tr("I metodi sono salvati nel file %1 accanto alla cartella di lavoro, mai nella "
                 "cartella stessa; si elencano dopo i nove metodi.")
                  .arg(file);
    if (!refusal.isEmpty())
        where += u'\n' +
                 tr("Il file non è stato accettato (%1): salvando lo si sostituisce.").arg(refusal);
    auto* whereLabel = new QLabel(where, this);
    whereLabel->setObjectName(QStringLiteral("lblOrigine"));
    whereLabel->setWordWrap(true);

    buildForm();
    auto* panes = new QHBoxLayout;
    panes->addWidget(buildListPane());
    panes->addWidget(m_form, 1);

    auto* buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton(tr("Salva"), QDialogButtonBox::AcceptRole);
    m_save->setObjectName(QStringLiteral("cmdSalva"));
    buttons->addButton(m_readOnly ? tr("Chiudi") : tr("Annulla"), QDialogButtonBox::RejectRole);
    m_save->setVisible(!m_readOnly);
    connect(m_save, &QPushButton::clicked, this, [this] {
        if (save())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(whereLabel);
    layout->addLayout(panes, 1);
    layout->addWidget(buttons);

    for (const CompositeTexts& row : m_rows)
        m_list->addItem(captionOf(row));
    m_form->setEnabled(!m_readOnly);
    showRow(m_rows.empty() ? -1 : 0);
    resize(900, 480);
    assignWindowMnemonics(*this);
}

QWidget* CompositesDialog::buildListPane() {
    auto* pane = new QWidget(this);
    m_list = new QListWidget(pane);
    m_list->setObjectName(QStringLiteral("lstMetodiPersonalizzati"));
    m_add = new QPushButton(tr("Nuovo"), pane);
    m_add->setObjectName(QStringLiteral("cmdNuovo"));
    m_add->setAutoDefault(false);
    m_remove = new QPushButton(tr("Elimina"), pane);
    m_remove->setObjectName(QStringLiteral("cmdElimina"));
    m_remove->setAutoDefault(false);
    m_add->setVisible(!m_readOnly);
    m_remove->setVisible(!m_readOnly);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        takeForm();
        showRow(row);
    });
    connect(m_add, &QPushButton::clicked, this, &CompositesDialog::addComposite);
    connect(m_remove, &QPushButton::clicked, this, &CompositesDialog::removeComposite);
    return pane;
}

void CompositesDialog::buildChoices() {
    m_normalisation = new QComboBox(m_form);
    m_normalisation->setObjectName(QStringLiteral("cmbNormalizzazione"));
    fillChoices(m_normalisation, kNormalisations);
    m_normalisationHelp = helpLabel(m_form);
    m_scaled = new QCheckBox(tr("Con parametri"), m_form);
    m_scaled->setObjectName(QStringLiteral("chkParametri"));
    m_first = parameterBox(-1e9, 1e9, m_form);
    m_second = parameterBox(-1e9, 1e9, m_form);

    m_aggregation = new QComboBox(m_form);
    m_aggregation->setObjectName(QStringLiteral("cmbAggregazione"));
    fillChoices(m_aggregation, kAggregations);
    m_exponent = parameterBox(-100, 100, m_form);
    m_exponent->setPrefix(QStringLiteral("p = "));
    m_exponent->setValue(2);
    m_aggregationHelp = helpLabel(m_form);

    m_construction = new QComboBox(m_form);
    m_construction->setObjectName(QStringLiteral("cmbCostruzione"));
    fillChoices(m_construction, kConstructions);
    m_constructionHelp = helpLabel(m_form);
}

void CompositesDialog::buildForm() {
    m_form = new QWidget(this);
    m_code = new QLineEdit(m_form);
    m_code->setObjectName(QStringLiteral("txtCodice"));
    m_code->setToolTip(tr("Da 1 a 8 lettere, cifre, +, - o _; dà il nome ai file dei risultati"));
    m_name = new QLineEdit(m_form);
    m_name->setObjectName(QStringLiteral("txtNome"));
    m_name->setToolTip(tr("L'intestazione dei risultati; il codice quando manca"));
    buildChoices();
    auto* parameters = new QHBoxLayout;
    parameters->addWidget(m_scaled);
    parameters->addWidget(m_first);
    parameters->addWidget(m_second);
    parameters->addStretch(1);
    auto* aggregation = new QHBoxLayout;
    aggregation->addWidget(m_aggregation);
    aggregation->addWidget(m_exponent);
    aggregation->addStretch(1);
    auto* aggregationLabel = new QLabel(tr("&Aggregazione"), m_form);
    aggregationLabel->setBuddy(m_aggregation);
    QLabel* transformation = helpLabel(m_form);
    transformation->setText(tr("Per indicatore, nella colonna Trasformazione della struttura: "
                               "vuota, o log per il logaritmo naturale prima della "
                               "normalizzazione."));
    QLabel* groups = helpLabel(m_form);
    groups->setText(tr("Un gruppo della struttura può indicare nella colonna Aggregazione la sua, "
                       "che per quel gruppo sostituisce questa."));

    auto* form = new QFormLayout(m_form);
    form->addRow(tr("&Codice"), m_code);
    form->addRow(tr("&Nome"), m_name);
    form->addRow(tr("N&ormalizzazione"), m_normalisation);
    form->addRow(QString(), m_normalisationHelp);
    form->addRow(QString(), parameters);
    form->addRow(tr("Trasformazione"), transformation);
    form->addRow(aggregationLabel, aggregation);
    form->addRow(QString(), m_aggregationHelp);
    form->addRow(QString(), groups);
    form->addRow(tr("Co&struzione"), m_construction);
    form->addRow(QString(), m_constructionHelp);
    connectForm();
}

void CompositesDialog::connectForm() {
    const auto edited = [this] {
        takeForm();
        explainChoices();
    };
    connect(m_code, &QLineEdit::textEdited, this, edited);
    connect(m_name, &QLineEdit::textEdited, this, edited);
    connect(m_normalisation, &QComboBox::activated, this, [this, edited] {
        // Each normalisation starts from its usual parameters.
        const bool zscore = m_normalisation->currentData().toString() == u"zscore";
        m_first->setValue(zscore ? 100 : 0);
        m_second->setValue(zscore ? 10 : 100);
        edited();
    });
    connect(m_scaled, &QCheckBox::toggled, this, edited);
    connect(m_first, &QDoubleSpinBox::valueChanged, this, edited);
    connect(m_second, &QDoubleSpinBox::valueChanged, this, edited);
    connect(m_aggregation, &QComboBox::currentIndexChanged, this, edited);
    connect(m_exponent, &QDoubleSpinBox::valueChanged, this, edited);
    connect(m_construction, &QComboBox::currentIndexChanged, this, edited);
}

QString CompositesDialog::captionOf(const CompositeTexts& texts) const {
    const QString name = texts.name.trimmed();
    return name.isEmpty() || name == texts.code ? texts.code
                                                : QStringLiteral("%1 - %2").arg(texts.code, name);
}

void CompositesDialog::showRow(int row) {
    m_shown = row;
    m_filling = true;
    const bool any = row >= 0 && row < int(m_rows.size());
    m_form->setEnabled(any && !m_readOnly);
    m_remove->setEnabled(any);
    const CompositeTexts texts = any ? m_rows[std::size_t(row)] : CompositeTexts();
    m_code->setText(texts.code);
    m_name->setText(texts.name);
    const Normalisation normalisation =
        parseNormalisation(texts.normalisation).value_or(Normalisation());
    m_normalisation->setCurrentIndex(
        std::max(0, m_normalisation->findData(bareCode(normalisation.code()))));
    m_scaled->setChecked(normalisation.scaled);
    const bool zscore = normalisation.kind == NormalisationKind::ZScore;
    m_first->setValue(normalisation.scaled ? normalisation.a : (zscore ? 100 : 0));
    m_second->setValue(normalisation.scaled ? normalisation.b : (zscore ? 10 : 100));
    const Aggregation aggregation = parseAggregation(texts.aggregation).value_or(Aggregation());
    m_aggregation->setCurrentIndex(
        std::max(0, m_aggregation->findData(bareCode(aggregation.code()))));
    if (aggregation.kind == AggregationKind::Power)
        m_exponent->setValue(aggregation.p);
    const Construction construction =
        parseConstruction(texts.construction).value_or(Construction::Upward);
    m_construction->setCurrentIndex(
        std::max(0, m_construction->findData(constructionCode(construction))));
    if (any && m_list->currentRow() != row) {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentRow(row);
    }
    m_filling = false;
    explainChoices();
}

void CompositesDialog::takeForm() {
    if (m_filling || m_readOnly || m_shown < 0 || m_shown >= int(m_rows.size()))
        return;
    CompositeTexts& texts = m_rows[std::size_t(m_shown)];
    texts.code = m_code->text().trimmed();
    texts.name = m_name->text().trimmed();
    texts.normalisation = m_normalisation->currentData().toString();
    if (m_scaled->isChecked() && takesParameters(texts.normalisation))
        texts.normalisation += QStringLiteral("(%1,%2)").arg(numberCode(m_first->value()),
                                                             numberCode(m_second->value()));
    texts.aggregation = m_aggregation->currentData().toString();
    if (texts.aggregation == u"power")
        texts.aggregation += QStringLiteral("(%1)").arg(numberCode(m_exponent->value()));
    texts.construction = m_construction->currentData().toString();
    m_list->item(m_shown)->setText(captionOf(texts));
}

void CompositesDialog::explainChoices() {
    const QString normalisation = m_normalisation->currentData().toString();
    const bool scalable = takesParameters(normalisation);
    m_scaled->setEnabled(scalable);
    m_first->setEnabled(scalable && m_scaled->isChecked());
    m_second->setEnabled(scalable && m_scaled->isChecked());
    const bool zscore = normalisation == u"zscore";
    m_first->setPrefix(zscore ? QStringLiteral("m = ") : QStringLiteral("a = "));
    m_second->setPrefix(zscore ? QStringLiteral("s = ") : QStringLiteral("b = "));
    m_normalisationHelp->setText(helpOf(kNormalisations, m_normalisation->currentIndex()));
    m_exponent->setVisible(m_aggregation->currentData().toString() == u"power");
    m_aggregationHelp->setText(helpOf(kAggregations, m_aggregation->currentIndex()));
    m_constructionHelp->setText(helpOf(kConstructions, m_construction->currentIndex()));
}

void CompositesDialog::addComposite() {
    takeForm();
    QSet<QString> used;
    for (const CompositeTexts& row : m_rows)
        used.insert(row.code.toUpper());
    int n = int(m_rows.size()) + 1;
    while (used.contains(QStringLiteral("C%1").arg(n)))
        ++n;
    const QString code = QStringLiteral("C%1").arg(n);
    m_rows.push_back({code, QString(), QStringLiteral("minmax"), QStringLiteral("mean"),
                      QStringLiteral("upward")});
    m_list->addItem(captionOf(m_rows.back()));
    showRow(int(m_rows.size()) - 1);
    m_code->setFocus();
    m_code->selectAll();
}

void CompositesDialog::removeComposite() {
    const int row = m_shown;
    if (row < 0 || row >= int(m_rows.size()))
        return;
    m_rows.erase(m_rows.begin() + row);
    m_shown = -1;
    {
        const QSignalBlocker quiet(m_list);
        delete m_list->takeItem(row);
    }
    showRow(std::min(row, int(m_rows.size()) - 1));
}

bool CompositesDialog::save() {
    takeForm();
    std::vector<Composite> composites;
    QSet<QString> codes;
    // Each row checked as the file will hold it, from row 2.
    for (std::size_t k = 0; k < m_rows.size(); ++k) {
        Expected<Composite> composite = parseComposite(m_rows[k], int(k) + 2, codes);
        if (!composite) {
            showRow(int(k));
            showFailure(m_dialogs, composite.error());
            return false;
        }
        codes.insert(composite->code.toUpper());
        composites.push_back(std::move(*composite));
    }
    if (Status written = writeCompositesFile(m_workbook, composites); !written) {
        showFailure(m_dialogs, written.error());
        return false;
    }
    Q_EMIT saved();
    return true;
}
