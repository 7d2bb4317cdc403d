#include "picture_import_dialog.h"

#include "method_names.h"
#include "palette_colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dither {

namespace {

constexpr QSize previewSize(512, 384);

struct ResizeChoice {
    ResizeMode mode;
    const char* caption;
};
constexpr std::array<ResizeChoice, 3> resizeChoices = {{
    {ResizeMode::NoResize, "No resize"},
    {ResizeMode::Stretch, "Stretch"},
    {ResizeMode::RespectAspectRatio, "Respect aspect ratio"},
}};

QIcon swatch(tms::ColorValue colour)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(tms::toQColor(colour));
    return QIcon(pixmap);
}

} // namespace

PictureImportDialog::PictureImportDialog(const PictureImportSettings& initial, Previewer previewer, QWidget* owner)
    : QDialog(owner), m_previewer(std::move(previewer)), m_initial(initial)
{
    setObjectName(QStringLiteral("ImportPicture"));
    setWindowTitle(QStringLiteral("Import Picture"));

    methodBox = new QComboBox(this);
    methodBox->setObjectName(QStringLiteral("cmb_method"));
    for (const MethodName& m : methodNames)
        methodBox->addItem(QString::fromLatin1(m.caption), int(m.method));
    methodBox->setCurrentIndex(methodBox->findData(int(initial.method)));

    resizeBox = new QComboBox(this);
    resizeBox->setObjectName(QStringLiteral("cmb_resize"));
    for (const ResizeChoice& r : resizeChoices)
        resizeBox->addItem(QString::fromLatin1(r.caption), int(r.mode));
    resizeBox->setCurrentIndex(resizeBox->findData(int(initial.resize)));

    // The console colours 1..15; colour 0 is transparent and never chosen.
    auto* colours = new QGridLayout;
    const tms::Palette palette = tms::standardPalette();
    for (int k = 0; k < 15; ++k) {
        colourBoxes[k] = new QCheckBox(QString::number(k + 1), this);
        colourBoxes[k]->setObjectName(QStringLiteral("chk_colour_%1").arg(k + 1));
        colourBoxes[k]->setIcon(swatch(palette[k + 1]));
        colourBoxes[k]->setChecked(initial.colours[k]);
        colours->addWidget(colourBoxes[k], k / 5, k % 5);
        connect(colourBoxes[k], &QCheckBox::toggled, this, &PictureImportDialog::updatePreview);
    }

    linearLightBox = new QCheckBox(QStringLiteral("Diffuse in linear light"), this);
    linearLightBox->setObjectName(QStringLiteral("chk_linear_light"));
    linearLightBox->setChecked(initial.linearLight);
    connect(linearLightBox, &QCheckBox::toggled, this, &PictureImportDialog::updatePreview);

    previewLabel = new QLabel(this);
    previewLabel->setObjectName(QStringLiteral("lbl_preview"));
    previewLabel->setFixedSize(previewSize);
    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("lbl_status"));
    statusLabel->setWordWrap(true);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("Method"), methodBox);
    options->addRow(QStringLiteral("Resize"), resizeBox);
    options->addRow(QString(), linearLightBox);
    options->addRow(QStringLiteral("Colours"), colours);
    auto* side = new QVBoxLayout;
    side->addLayout(options);
    side->addWidget(statusLabel);
    side->addStretch();
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(previewLabel, 0, Qt::AlignTop);
    layout->addLayout(side);

    connect(methodBox, &QComboBox::currentIndexChanged, this, &PictureImportDialog::updatePreview);
    connect(resizeBox, &QComboBox::currentIndexChanged, this, &PictureImportDialog::updatePreview);
    updatePreview();
}

PictureImportSettings PictureImportDialog::settings() const
{
    PictureImportSettings s = m_initial;
    s.method = Method(methodBox->currentData().toInt());
    s.resize = ResizeMode(resizeBox->currentData().toInt());
    for (int k = 0; k < 15; ++k)
        s.colours[k] = colourBoxes[k]->isChecked();
    s.linearLight = linearLightBox->isChecked();
    return s;
}

void PictureImportDialog::updatePreview()
{
    const PicturePreview preview = m_previewer(settings());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(preview.ok);
    statusLabel->setText(preview.status);
    if (!preview.ok)
        return; // the last good preview stays
    m_preview = preview.image;
    previewLabel->setPixmap(QPixmap::fromImage(m_preview));
}

} // namespace dither
