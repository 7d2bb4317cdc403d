#include "tile_file_dialogs.h"

#include "font_preview.h"
#include "picture_decoding.h"
#include "picture_file.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <array>

namespace tile {

namespace {

// The purposes: the two project dialogs share one, and so do the two font dialogs.
// The pictures and sheets share one.
enum Purpose { ProjectPurpose, FontPurpose, AsmPurpose, CPurpose, BinPurpose, PicturePurpose, PurposeCount };

Purpose purposeOf(FileDialogKind kind)
{
    switch (kind) {
    case FileDialogKind::OpenDAT:
    case FileDialogKind::SaveAsDAT: return ProjectPurpose;
    case FileDialogKind::OpenFCV:
    case FileDialogKind::SaveAsFCV: return FontPurpose;
    case FileDialogKind::ExportASM: return AsmPurpose;
    case FileDialogKind::ExportC: return CPurpose;
    case FileDialogKind::ExportBIN: return BinPurpose;
    case FileDialogKind::ImportPicture:
    case FileDialogKind::ImportTileset:
    case FileDialogKind::ImportSprites:
    case FileDialogKind::ExportTileset:
    case FileDialogKind::ExportSprites:
    case FileDialogKind::ExportScreenPNG: return PicturePurpose;
    }
    return ProjectPurpose;
}

// The last path chosen for each purpose during the run.
std::array<QString, PurposeCount>& lastPaths()
{
    static std::array<QString, PurposeCount> paths;
    return paths;
}

tms::ChooserSetup saveSetup(const char* name, const char* caption, const char* pattern, const char* submit,
                            const char* extension, const char* prompt)
{
    tms::ChooserSetup setup;
    setup.objectName = QString::fromLatin1(name);
    setup.caption = QString::fromLatin1(caption);
    setup.pattern = QString::fromLatin1(pattern);
    setup.kind = tms::ChooserSetup::Kind::Save;
    setup.submitText = QString::fromLatin1(submit);
    setup.extension = QString::fromLatin1(extension);
    setup.replacePrompt = QString::fromLatin1(prompt);
    return setup;
}

tms::ChooserSetup openSetup(const char* name, const char* caption, const char* pattern, const QByteArray& signature,
                            const char* refusal)
{
    tms::ChooserSetup setup;
    setup.objectName = QString::fromLatin1(name);
    setup.caption = QString::fromLatin1(caption);
    setup.pattern = QString::fromLatin1(pattern);
    setup.kind = tms::ChooserSetup::Kind::Open;
    setup.check = tms::signatureCheck(signature, QString::fromLatin1(refusal));
    return setup;
}

// A picture to read: any file the converter decodes whole.
tms::ChooserSetup pictureSetup(const char* name, const char* caption)
{
    tms::ChooserSetup setup;
    setup.objectName = QString::fromLatin1(name);
    setup.caption = QString::fromLatin1(caption);
    setup.pattern = dither::pictureFilePattern();
    setup.kind = tms::ChooserSetup::Kind::Open;
    setup.check = dither::pictureFileProblem;
    return setup;
}

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QScrollBar* rowScrollBar(const char* name, int value, QWidget* parent)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, screenRows - 1);
    bar->setValue(std::clamp(value, 0, screenRows - 1));
    bar->setMinimumWidth(160);
    return bar;
}

} // namespace

tms::ChooserSetup fileDialogSetup(FileDialogKind kind)
{
    tms::ChooserSetup setup;
    switch (kind) {
    case FileDialogKind::OpenDAT:
        setup = openSetup("OpenDATFile", "Open DAT file", "*.dat", "NAME", "Illegal DAT file");
        break;
    case FileDialogKind::SaveAsDAT:
        setup = saveSetup("SaveAsDATFile", "Save As DAT File", "*.dat", "Save", ".dat",
                          "Do you want to replace this DAT file");
        break;
    case FileDialogKind::OpenFCV:
        setup = openSetup("OpenFCVFile", "Open FCV file", "*.fcv", "FONT COLECOVISION", "Illegal FCV file");
        break;
    case FileDialogKind::SaveAsFCV:
        setup = saveSetup("SaveAsFCVFile", "Save As FCV File", "*.fcv", "Save", ".fcv",
                          "Do you want to replace this FCV file");
        break;
    case FileDialogKind::ExportASM:
        setup = saveSetup("Export2ASM", "Export to ASM file", "*.asm", "Export", ".asm",
                          "Do you want to replace this ASM file");
        break;
    case FileDialogKind::ExportC:
        setup = saveSetup("Export2C", "Export to C file", "*.c", "Export", ".c", "Do you want to replace this C file");
        break;
    case FileDialogKind::ExportBIN:
        setup = saveSetup("Export2BIN", "Export raw tables (PREFIX.pat, .col, .nam, .spr, .spc)", "*.pat", "Export",
                          ".pat", "Do you want to replace these table files");
        break;
    case FileDialogKind::ImportPicture: setup = pictureSetup("ImportPictureFile", "Import Picture file"); break;
    case FileDialogKind::ImportTileset: setup = pictureSetup("ImportTilesetFile", "Import Tile Sheet file"); break;
    case FileDialogKind::ImportSprites: setup = pictureSetup("ImportSpritesFile", "Import Sprite Sheet file"); break;
    case FileDialogKind::ExportTileset:
        setup = saveSetup("ExportTileset", "Export Tile Sheet as PNG file", "*.png", "Export", ".png",
                          "Do you want to replace this PNG file");
        break;
    case FileDialogKind::ExportSprites:
        setup = saveSetup("ExportSprites", "Export Sprite Sheet as PNG file", "*.png", "Export", ".png",
                          "Do you want to replace this PNG file");
        break;
    case FileDialogKind::ExportScreenPNG:
        setup = saveSetup("ExportScreenPNG", "Export Screen as PNG file", "*.png", "Export", ".png",
                          "Do you want to replace this PNG file");
        break;
    }
    setup.rememberedPath = lastPaths()[purposeOf(kind)];
    return setup;
}

CExportOptionsPanel::CExportOptionsPanel(int startLine, int endLine, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Export2COptions"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    // Unchecked whenever the dialog opens: compression is chosen for each export.
    m_rleCheck = new QCheckBox(QStringLiteral("Using RLE compression for the screen and pattern tables"), this);
    m_rleCheck->setObjectName(QStringLiteral("RLE"));
    m_moreOptionsButton = new QPushButton(QStringLiteral("More options ->"), this);
    m_moreOptionsButton->setObjectName(QStringLiteral("cmd_moreoptions"));
    grid->addWidget(m_rleCheck, 0, 0, 1, 3);
    grid->addWidget(m_moreOptionsButton, 0, 3);
    // The style and any codec; the RLE box and the compression box show one choice.
    formats = new tms::ExportFormatOptions(tms::ExportFormatOptions::Kind::C, {}, this);
    grid->addWidget(formats, 2, 0, 1, 4);
    connect(m_rleCheck, &QCheckBox::toggled, this, [this](bool checked) {
        if (checked)
            formats->setCompression(tms::Compression::Rle);
        else if (formats->format().compression == tms::Compression::Rle)
            formats->setCompression(tms::Compression::None);
    });
    connect(formats, &tms::ExportFormatOptions::compressionChanged, this,
            [this](tms::Compression compression) { m_rleCheck->setChecked(compression == tms::Compression::Rle); });

    m_range = new QWidget(this);
    auto* range = new QGridLayout(m_range);
    range->setContentsMargins(0, 0, 0, 0);
    m_rangeTitleLabel = namedLabel("Label2", QStringLiteral("Screen lines encoding range"), m_range);
    m_startRowTitleLabel = namedLabel("Label3", QStringLiteral("Start :"), m_range);
    m_endRowTitleLabel = namedLabel("Label4", QStringLiteral("End :"), m_range);
    m_startRowBar = rowScrollBar("HScroll1", startLine, m_range);
    m_endRowBar = rowScrollBar("HScroll2", endLine, m_range);
    m_startRowLabel = namedLabel("l_HScroll1", QString::number(m_startRowBar->value()), m_range);
    m_endRowLabel = namedLabel("l_HScroll2", QString::number(m_endRowBar->value()), m_range);
    range->addWidget(m_rangeTitleLabel, 0, 0, 1, 3);
    range->addWidget(m_startRowTitleLabel, 1, 0);
    range->addWidget(m_startRowBar, 1, 1);
    range->addWidget(m_startRowLabel, 1, 2);
    range->addWidget(m_endRowTitleLabel, 2, 0);
    range->addWidget(m_endRowBar, 2, 1);
    range->addWidget(m_endRowLabel, 2, 2);
    grid->addWidget(m_range, 1, 0, 1, 4);
    m_range->hide(); // revealed by "More options ->"

    connect(m_moreOptionsButton, &QPushButton::clicked, this, &CExportOptionsPanel::onMoreOptionsClicked);
    connect(m_startRowBar, &QScrollBar::valueChanged, this, &CExportOptionsPanel::onStartRowChanged);
    connect(m_endRowBar, &QScrollBar::valueChanged, this, &CExportOptionsPanel::onEndRowChanged);
}

void CExportOptionsPanel::onMoreOptionsClicked()
{
    m_moreOptionsButton->setEnabled(false);
    // The dialog grows by the range's height, so that the file lists keep theirs.
    QWidget* dialog = window();
    const int grow = m_range->sizeHint().height() + std::max(layout()->spacing(), 0);
    m_range->show();
    if (dialog != this)
        dialog->resize(dialog->width(), dialog->height() + grow);
}

// Each bar pulls the other along so that the range never runs backwards.
void CExportOptionsPanel::onStartRowChanged()
{
    if (m_endRowBar->value() < m_startRowBar->value())
        m_endRowBar->setValue(m_startRowBar->value());
    m_startRowLabel->setText(QString::number(m_startRowBar->value()));
}

void CExportOptionsPanel::onEndRowChanged()
{
    if (m_endRowBar->value() < m_startRowBar->value())
        m_startRowBar->setValue(m_endRowBar->value());
    m_endRowLabel->setText(QString::number(m_endRowBar->value()));
}

std::unique_ptr<tms::FileChooser> makeFileDialog(FileDialogKind kind, const CExportOptions& cExport,
                                                 tms::UserDialogs& dialogs, QWidget* owner)
{
    auto dialog = std::make_unique<tms::FileChooser>(fileDialogSetup(kind), dialogs, owner);
    if (kind == FileDialogKind::ExportC)
        dialog->addOptions(new CExportOptionsPanel(cExport.startLine, cExport.endLine, dialog.get()));
    if (kind == FileDialogKind::ExportASM)
        dialog->addOptions(new tms::ExportFormatOptions(tms::ExportFormatOptions::Kind::Assembler, {}, dialog.get()));
    if (kind == FileDialogKind::ExportBIN)
        dialog->addOptions(new tms::ExportFormatOptions(tms::ExportFormatOptions::Kind::Binary, {}, dialog.get()));
    if (kind == FileDialogKind::OpenFCV)
        addFontPreview(*dialog);
    return dialog;
}

std::optional<FileChoice> fileDialogChoice(FileDialogKind kind, const tms::FileChooser& dialog)
{
    const std::optional<QString> path = dialog.confirmedPath();
    if (!path)
        return std::nullopt;
    FileChoice choice(*path);
    if (kind == FileDialogKind::ExportC) {
        if (const auto* options = dialog.findChild<CExportOptionsPanel*>()) {
            const tms::ExportFormat format = options->formats->format();
            choice.cExport = {options->m_rleCheck->isChecked(), options->m_startRowBar->value(),
                              options->m_endRowBar->value(), format.style, format.compression};
        }
    }
    if (const auto* formats = dialog.findChild<tms::ExportFormatOptions*>()) {
        choice.asmExport = {formats->format().syntax, formats->format().compression};
        choice.binaryCompression = formats->format().compression;
    }
    return choice;
}

std::optional<FileChoice> showFileDialog(FileDialogKind kind, const CExportOptions& cExport, tms::UserDialogs& dialogs,
                                         QWidget* owner)
{
    const std::unique_ptr<tms::FileChooser> dialog = makeFileDialog(kind, cExport, dialogs, owner);
    dialog->exec();
    return fileDialogChoice(kind, *dialog);
}

void rememberFolder(FileDialogKind kind, const QString& path)
{
    if (!path.isEmpty())
        lastPaths()[purposeOf(kind)] = path;
}

void forgetRememberedPaths()
{
    lastPaths() = {};
}

} // namespace tile
