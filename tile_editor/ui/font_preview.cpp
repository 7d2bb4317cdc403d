#include "font_preview.h"

#include "file_chooser.h"
#include "font_file.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

namespace tile {

FontPreviewPane::FontPreviewPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FontPreviewPane"));
    Label1 = new QLabel(QStringLiteral("Preview:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedSize(fontPreviewWidth, fontPreviewHeight);
    QPixmap blank(fontPreviewWidth, fontPreviewHeight);
    blank.fill(Qt::black);
    Picture1->setPixmap(blank);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Label1, 1);
    row->addWidget(Picture1);
}

void FontPreviewPane::File1_Click(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return;
    const std::optional<FontPreview> preview = previewFontFile(path);
    if (!preview)
        return;
    Label1->setText(QStringLiteral("Preview: ") + preview->title);
    Picture1->setPixmap(QPixmap::fromImage(preview->picture));
}

void addFontPreview(tms::FileChooser& dialog)
{
    auto* pane = new FontPreviewPane(&dialog);
    dialog.addOptions(pane);
    QObject::connect(&dialog, &QFileDialog::currentChanged, pane, &FontPreviewPane::File1_Click);
}

} // namespace tile
