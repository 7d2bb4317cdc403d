#pragma once
// The format controls of the export dialogs, below their file lists: the assembler
// syntax (`cmb_asm_syntax`) or the C style (`cmb_c_style`), and the compression of the
// tables (`cmb_compression`). The window reads the choice once the dialog has closed.

#include "asm_tables.h"
#include "c_tables.h"
#include "compression.h"

#include <QWidget>

class QComboBox;

namespace tms {

struct ExportFormat {
    AsmSyntax syntax = AsmSyntax::Dot;
    CStyle style = CStyle::Coleco;
    Compression compression = Compression::None;
};

class ExportFormatOptions : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Assembler, C, Binary };
    // The controls start at start; a binary export has the compression box only.
    ExportFormatOptions(Kind kind, const ExportFormat& start, QWidget* parent = nullptr);

    QComboBox* cmb_asm_syntax = nullptr; // Assembler only
    QComboBox* cmb_c_style = nullptr;    // C only
    QComboBox* cmb_compression = nullptr;

    ExportFormat format() const;
    void setCompression(Compression compression);

signals:
    void compressionChanged(tms::Compression compression);
};

} // namespace tms
