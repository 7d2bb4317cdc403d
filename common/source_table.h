#pragma once
// One table of an export: its name in the source (label or array) and its bytes, as
// the assembler and C writers and the binary export take them.

#include <QString>

#include <cstdint>
#include <vector>

namespace tms {

struct SourceTable {
    QString name;
    std::vector<std::uint8_t> bytes;
    int valuesPerLine = 16;
    QString comment; // assembler only: a comment line under the label, as it stands
};

using SourceTables = std::vector<SourceTable>;

// Whether name can name a table in C and in every assembler syntax: an ASCII letter or
// "_", then letters, digits and "_", at most 64 characters, and no C keyword.
bool isTableIdentifier(const QString& name);
// The message for a name that is not one.
QString notTableIdentifierMessage(const QString& name);

} // namespace tms
