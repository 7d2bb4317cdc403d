#include "tile_file_dialogs.h"

#include "font_preview.h"

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
enum Purpose { ProjectPurpose, FontPurpose, AsmPurpose, CPurpose, PurposeCount };

Purpose purposeOf(FileDialogKind kind)
{
    switch (kind) {
    case FileDialogKind::OpenDAT:
    case FileDialogKind::SaveAsDAT: return ProjectPurpose;
    case FileDialogKind::OpenFCV:
    case FileDialogKind::SaveAsFCV: return FontPurpose;
    case FileDialogKind::ExportASM: return AsmPurpose;
    case FileDialogKind::ExportC: return CPurpose;
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
    }
    setup.rememberedPath = lastPaths()[purposeOf(kind)];
    return setup;
}

Export2COptions::Export2COptions(int startLine, int endLine, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Export2COptions"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    // Unchecked whenever the dialog opens: compression is chosen for each export.
    RLE = new QCheckBox(QStringLiteral("Using RLE compression for the screen and pattern tables"), this);
    RLE->setObjectName(QStringLiteral("RLE"));
    cmd_moreoptions = new QPushButton(QStringLiteral("More options ->"), this);
    cmd_moreoptions->setObjectName(QStringLiteral("cmd_moreoptions"));
    grid->addWidget(RLE, 0, 0, 1, 3);
    grid->addWidget(cmd_moreoptions, 0, 3);

    m_range = new QWidget(this);
    auto* range = new QGridLayout(m_range);
    range->setContentsMargins(0, 0, 0, 0);
    Label2 = namedLabel("Label2", QStringLiteral("Screen lines encoding range"), m_range);
    Label3 = namedLabel("Label3", QStringLiteral("Start :"), m_range);
    Label4 = namedLabel("Label4", QStringLiteral("End :"), m_range);
    HScroll1 = rowScrollBar("HScroll1", startLine, m_range);
    HScroll2 = rowScrollBar("HScroll2", endLine, m_range);
    l_HScroll1 = namedLabel("l_HScroll1", QString::number(HScroll1->value()), m_range);
    l_HScroll2 = namedLabel("l_HScroll2", QString::number(HScroll2->value()), m_range);
    range->addWidget(Label2, 0, 0, 1, 3);
    range->addWidget(Label3, 1, 0);
    range->addWidget(HScroll1, 1, 1);
    range->addWidget(l_HScroll1, 1, 2);
    range->addWidget(Label4, 2, 0);
    range->addWidget(HScroll2, 2, 1);
    range->addWidget(l_HScroll2, 2, 2);
    grid->addWidget(m_range, 1, 0, 1, 4);
    m_range->hide(); // revealed by "More options ->"

    connect(cmd_moreoptions, &QPushButton::clicked, this, &Export2COptions::cmd_moreoptions_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &Export2COptions::HScroll1_Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Export2COptions::HScroll2_Change);
}

void Export2COptions::cmd_moreoptions_Click()
{
    cmd_moreoptions->setEnabled(false);
    // The dialog grows by the range's height, so that the file lists keep theirs.
    QWidget* dialog = window();
    const int grow = m_range->sizeHint().height() + std::max(layout()->spacing(), 0);
    m_range->show();
    if (dialog != this)
        dialog->resize(dialog->width(), dialog->height() + grow);
}

// Each bar pulls the other along so that the range never runs backwards.
void Export2COptions::HScroll1_Change()
{
    if (HScroll2->value() < HScroll1->value())
        HScroll2->setValue(HScroll1->value());
    l_HScroll1->setText(QString::number(HScroll1->value()));
}

void Export2COptions::HScroll2_Change()
{
    if (HScroll2->value() < HScroll1->value())
        HScroll1->setValue(HScroll2->value());
    l_HScroll2->setText(QString::number(HScroll2->value()));
}

std::unique_ptr<tms::FileChooser> makeFileDialog(FileDialogKind kind, const CExportOptions& cExport,
                                                 tms::UserDialogs& dialogs, QWidget* owner)
{
    auto dialog = std::make_unique<tms::FileChooser>(fileDialogSetup(kind), dialogs, owner);
    if (kind == FileDialogKind::ExportC)
        dialog->addOptions(new Export2COptions(cExport.startLine, cExport.endLine, dialog.get()));
    if (kind == FileDialogKind::OpenFCV)
        addFontPreview(*dialog);
    return dialog;
}

std::optional<FileChoice> fileDialogChoice(FileDialogKind kind, const tms::FileChooser& dialog)
{
    const std::optional<QString> path = dialog.confirmedPath();
    if (!path)
        return std::nullopt;
    FileChoice choice{*path, {}};
    if (kind == FileDialogKind::ExportC) {
        if (const auto* options = dialog.findChild<Export2COptions*>())
            choice.cExport = {options->RLE->isChecked(), options->HScroll1->value(), options->HScroll2->value()};
    }
    return choice;
}

std::optional<FileChoice> showFileDialog(FileDialogKind kind, const CExportOptions& cExport,
                                         tms::UserDialogs& dialogs, QWidget* owner)
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
