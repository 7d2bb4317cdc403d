#pragma once
// Assembler source of a list of tables, in the syntax of the assembler that builds the
// game:
//   dot   ".byte $hh" lines, labels alone on their lines, "\t.end" at the end (the
//         historical form of the exports)
//   db    "db $hh" lines and "LABEL:" (pasmo, z80asm, sjasmplus and their kin)
//   sdas  SDCC's assembler: the tables in the code area, each label "_NAME" made global,
//         ".db 0xhh" lines, so that C code reaches them as `extern const uint8_t NAME[]`
// The banner lines are written first, as they stand; they must be comments.

#include "source_table.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace tms {

enum class AsmSyntax { Dot, Db, Sdas };

// "dot", "db", "sdas"; nullopt for any other word.
std::optional<AsmSyntax> asmSyntaxNamed(const QString& name);

struct AsmLayout {
    QStringList banner;
    bool endDirective = true; // dot only: the closing "\t.end"
};

QByteArray asmTablesSource(AsmSyntax syntax, const AsmLayout& layout, const SourceTables& tables);

} // namespace tms
