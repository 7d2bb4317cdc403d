#pragma once
// C source of a list of tables for compilers with <stdint.h> (SDCC, gcc): every table
// is a `const uint8_t NAME[]`, so it stays in ROM, and a header beside the source
// declares each one with its size as NAME_SIZE.

#include "source_table.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace tms {

enum class CStyle { Coleco, Stdint };

// "coleco", "stdint"; nullopt for any other word.
std::optional<CStyle> cStyleNamed(const QString& name);

// The header beside a C file: OUT.c gives OUT.h; a name without ".c" gets ".h" added.
QString headerPathFor(const QString& cPath);

struct CSourcePair {
    QByteArray source;
    QByteArray header;
};

// banner: comment lines written at the top of both files as they stand. headerPath: the
// header's path (its file name is included by the source and makes its guard).
CSourcePair stdintTablesSource(const QStringList& banner, const QString& headerPath, const SourceTables& tables);

} // namespace tms
