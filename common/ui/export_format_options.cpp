#include "export_format_options.h"

#include <QComboBox>
#include <QFormLayout>

namespace tms {

namespace {

QComboBox* comboBox(const char* name, const QStringList& items, int current, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    box->setCurrentIndex(current);
    return box;
}

} // namespace

ExportFormatOptions::ExportFormatOptions(Kind kind, const ExportFormat& start, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ExportFormatOptions"));
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    if (kind == Kind::Assembler) {
        cmb_asm_syntax = comboBox("cmb_asm_syntax",
                                  {QStringLiteral("dot: .byte $hh"), QStringLiteral("db: pasmo, z80asm, sjasmplus"),
                                   QStringLiteral("sdas: SDCC's assembler")},
                                  int(start.syntax), this);
        form->addRow(QStringLiteral("Syntax:"), cmb_asm_syntax);
    } else if (kind == Kind::C) {
        cmb_c_style = comboBox("cmb_c_style",
                               {QStringLiteral("coleco: byte arrays, <coleco.h>"),
                                QStringLiteral("stdint: const uint8_t arrays and a header")},
                               int(start.style), this);
        form->addRow(QStringLiteral("Style:"), cmb_c_style);
    }
    // In the order of tms::Compression.
    cmb_compression =
        comboBox("cmb_compression",
                 {QStringLiteral("None"), QStringLiteral("RLE"), QStringLiteral("ZX0"), QStringLiteral("Pletter")},
                 int(start.compression), this);
    form->addRow(QStringLiteral("Compression:"), cmb_compression);
    connect(cmb_compression, &QComboBox::currentIndexChanged, this,
            [this](int index) { emit compressionChanged(Compression(index)); });
}

ExportFormat ExportFormatOptions::format() const
{
    ExportFormat format;
    if (cmb_asm_syntax)
        format.syntax = AsmSyntax(cmb_asm_syntax->currentIndex());
    if (cmb_c_style)
        format.style = CStyle(cmb_c_style->currentIndex());
    format.compression = Compression(cmb_compression->currentIndex());
    return format;
}

void ExportFormatOptions::setCompression(Compression compression)
{
    cmb_compression->setCurrentIndex(int(compression));
}

} // namespace tms
