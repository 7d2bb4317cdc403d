#include "picture_import_dialog.h"

#include "method_names.h"
#include "palette.h"

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

    cmb_method = new QComboBox(this);
    cmb_method->setObjectName(QStringLiteral("cmb_method"));
    for (const MethodName& m : methodNames)
        cmb_method->addItem(QString::fromLatin1(m.caption), int(m.method));
    cmb_method->setCurrentIndex(cmb_method->findData(int(initial.method)));

    cmb_resize = new QComboBox(this);
    cmb_resize->setObjectName(QStringLiteral("cmb_resize"));
    for (const ResizeChoice& r : resizeChoices)
        cmb_resize->addItem(QString::fromLatin1(r.caption), int(r.mode));
    cmb_resize->setCurrentIndex(cmb_resize->findData(int(initial.resize)));

    // The console colours 1..15; colour 0 is transparent and never chosen.
    auto* colours = new QGridLayout;
    const tms::Palette palette = tms::standardPalette();
    for (int k = 0; k < 15; ++k) {
        chk_colour[k] = new QCheckBox(QString::number(k + 1), this);
        chk_colour[k]->setObjectName(QStringLiteral("chk_colour_%1").arg(k + 1));
        chk_colour[k]->setIcon(swatch(palette[k + 1]));
        chk_colour[k]->setChecked(initial.colours[k]);
        colours->addWidget(chk_colour[k], k / 5, k % 5);
        connect(chk_colour[k], &QCheckBox::toggled, this, &PictureImportDialog::updatePreview);
    }

    chk_linear_light = new QCheckBox(QStringLiteral("Diffuse in linear light"), this);
    chk_linear_light->setObjectName(QStringLiteral("chk_linear_light"));
    chk_linear_light->setChecked(initial.linearLight);
    connect(chk_linear_light, &QCheckBox::toggled, this, &PictureImportDialog::updatePreview);

    lbl_preview = new QLabel(this);
    lbl_preview->setObjectName(QStringLiteral("lbl_preview"));
    lbl_preview->setFixedSize(previewSize);
    lbl_status = new QLabel(this);
    lbl_status->setObjectName(QStringLiteral("lbl_status"));
    lbl_status->setWordWrap(true);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("Method"), cmb_method);
    options->addRow(QStringLiteral("Resize"), cmb_resize);
    options->addRow(QString(), chk_linear_light);
    options->addRow(QStringLiteral("Colours"), colours);
    auto* side = new QVBoxLayout;
    side->addLayout(options);
    side->addWidget(lbl_status);
    side->addStretch();
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lbl_preview, 0, Qt::AlignTop);
    layout->addLayout(side);

    connect(cmb_method, &QComboBox::currentIndexChanged, this, &PictureImportDialog::updatePreview);
    connect(cmb_resize, &QComboBox::currentIndexChanged, this, &PictureImportDialog::updatePreview);
    updatePreview();
}

PictureImportSettings PictureImportDialog::settings() const
{
    PictureImportSettings s = m_initial;
    s.method = Method(cmb_method->currentData().toInt());
    s.resize = ResizeMode(cmb_resize->currentData().toInt());
    for (int k = 0; k < 15; ++k)
        s.colours[k] = chk_colour[k]->isChecked();
    s.linearLight = chk_linear_light->isChecked();
    return s;
}

void PictureImportDialog::updatePreview()
{
    const PicturePreview preview = m_previewer(settings());
    buttons->button(QDialogButtonBox::Ok)->setEnabled(preview.ok);
    lbl_status->setText(preview.status);
    if (!preview.ok)
        return; // the last good preview stays
    m_preview = preview.image;
    lbl_preview->setPixmap(QPixmap::fromImage(m_preview));
}

} // namespace dither
