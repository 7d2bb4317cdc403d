#include "import_picture_dialog.h"

#include "method_names.h"
#include "palette.h"
#include "picture_render.h"
#include "user_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace paint {

namespace {

constexpr QSize previewSize(512, 384);

struct ResizeChoice {
    dither::ResizeMode mode;
    const char* caption;
};
constexpr std::array<ResizeChoice, 3> resizeChoices = {{
    {dither::ResizeMode::NoResize, "No resize"},
    {dither::ResizeMode::Stretch, "Stretch"},
    {dither::ResizeMode::RespectAspectRatio, "Respect aspect ratio"},
}};

QIcon swatch(tms::ColorValue colour)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(tms::toQColor(colour));
    return QIcon(pixmap);
}

} // namespace

ImportPicture::ImportPicture(const QImage& source, const PictureImportSettings& initial, QWidget* owner)
    : QDialog(owner), m_source(source)
{
    setObjectName(QStringLiteral("ImportPicture"));
    setWindowTitle(QStringLiteral("Import Picture"));

    cmb_method = new QComboBox(this);
    cmb_method->setObjectName(QStringLiteral("cmb_method"));
    for (const dither::MethodName& m : dither::methodNames)
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
        connect(chk_colour[k], &QCheckBox::toggled, this, &ImportPicture::updatePreview);
    }

    lbl_preview = new QLabel(this);
    lbl_preview->setObjectName(QStringLiteral("lbl_preview"));
    lbl_preview->setFixedSize(previewSize);
    lbl_status = new QLabel(this);
    lbl_status->setObjectName(QStringLiteral("lbl_status"));

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("Method"), cmb_method);
    options->addRow(QStringLiteral("Resize"), cmb_resize);
    options->addRow(QStringLiteral("Colours"), colours);
    auto* side = new QVBoxLayout;
    side->addLayout(options);
    side->addWidget(lbl_status);
    side->addStretch();
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lbl_preview, 0, Qt::AlignTop);
    layout->addLayout(side);

    connect(cmb_method, &QComboBox::currentIndexChanged, this, &ImportPicture::updatePreview);
    connect(cmb_resize, &QComboBox::currentIndexChanged, this, &ImportPicture::updatePreview);
    updatePreview();
}

PictureImportSettings ImportPicture::settings() const
{
    PictureImportSettings s;
    s.method = dither::Method(cmb_method->currentData().toInt());
    s.resize = dither::ResizeMode(cmb_resize->currentData().toInt());
    for (int k = 0; k < 15; ++k)
        s.colours[k] = chk_colour[k]->isChecked();
    return s;
}

void ImportPicture::updatePreview()
{
    Picture converted;
    ClearPicture(converted);
    const bool ok = convertPicture(m_source, settings(), converted);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(ok);
    lbl_status->setText(ok ? QString() : selectMoreColorsMessage());
    if (!ok)
        return; // the last good preview stays
    m_preview = makeViewImage(normalView());
    renderPicture(m_preview, converted, tms::standardPalette(), normalView());
    lbl_preview->setPixmap(QPixmap::fromImage(m_preview));
}

std::optional<PictureImportSettings> showImportPicture(const QString& path, const PictureImportSettings& initial,
                                                       tms::UserDialogs& dialogs, QWidget* owner)
{
    QString error;
    const std::optional<QImage> source = readPictureFile(path, &error);
    if (!source) { // changed since it was chosen
        dialogs.tell(tms::warningTitle(), error);
        return std::nullopt;
    }
    ImportPicture dialog(*source, initial, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}

} // namespace paint
