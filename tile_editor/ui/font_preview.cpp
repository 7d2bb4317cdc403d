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
    m_titleLabel = new QLabel(QStringLiteral("Preview:"), this);
    m_titleLabel->setObjectName(QStringLiteral("Label1"));
    m_previewPicture = new QLabel(this);
    m_previewPicture->setObjectName(QStringLiteral("Picture1"));
    m_previewPicture->setFixedSize(fontPreviewWidth, fontPreviewHeight);
    QPixmap blank(fontPreviewWidth, fontPreviewHeight);
    blank.fill(Qt::black);
    m_previewPicture->setPixmap(blank);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_titleLabel, 1);
    row->addWidget(m_previewPicture);
}

void FontPreviewPane::showPreviewOf(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return;
    const std::optional<FontPreview> preview = previewFontFile(path);
    if (!preview)
        return;
    m_titleLabel->setText(QStringLiteral("Preview: ") + preview->title);
    m_previewPicture->setPixmap(QPixmap::fromImage(preview->picture));
}

void addFontPreview(tms::FileChooser& dialog)
{
    auto* pane = new FontPreviewPane(&dialog);
    dialog.addOptions(pane);
    QObject::connect(&dialog, &QFileDialog::currentChanged, pane, &FontPreviewPane::showPreviewOf);
}

} // namespace tile
