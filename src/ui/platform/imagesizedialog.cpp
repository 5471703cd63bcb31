#include "ui/platform/imagesizedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

ImageSizeDialog::ImageSizeDialog(const ImageSize& size, double aspect, QWidget* parent)
    : QDialog(parent), m_aspect(aspect) {
    setObjectName(QStringLiteral("DimensioniImmagine"));
    setWindowTitle(tr("Dimensioni dell'immagine"));
    m_width = new QSpinBox(this);
    m_width->setObjectName(QStringLiteral("txtLarghezza"));
    m_width->setRange(200, 10000);
    m_width->setSingleStep(100);
    m_width->setSuffix(tr(" pixel"));
    m_width->setValue(size.width);
    m_dpi = new QSpinBox(this);
    m_dpi->setObjectName(QStringLiteral("txtRisoluzione"));
    m_dpi->setRange(72, 1200);
    m_dpi->setSingleStep(50);
    m_dpi->setSuffix(tr(" dpi"));
    m_dpi->setValue(size.dpi);
    m_outcome = new QLabel(this);
    m_outcome->setObjectName(QStringLiteral("lblEsito"));

    auto* form = new QFormLayout;
    form->addRow(tr("&Larghezza:"), m_width);
    form->addRow(tr("&Risoluzione:"), m_dpi);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_outcome);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_width, &QSpinBox::valueChanged, this, &ImageSizeDialog::updateOutcome);
    connect(m_dpi, &QSpinBox::valueChanged, this, &ImageSizeDialog::updateOutcome);
    updateOutcome();
}

ImageSize ImageSizeDialog::size() const {
    return {m_width->value(), m_dpi->value()};
}

void ImageSizeDialog::updateOutcome() {
    const int width = m_width->value();
    const int height = int(std::lround(width * m_aspect));
    const double cm = 2.54 / m_dpi->value();
    m_outcome->setText(
        tr("Immagine di %1 × %2 pixel; in stampa %3 × %4 cm.")
            .arg(width)
            .arg(height)
            .arg(locale().toString(width * cm, 'f', 1), locale().toString(height * cm, 'f', 1)));
}
