#pragma once
// The picture as source for a console program, computed from a normalised copy of the
// picture (packColors) so that exporting never changes the picture itself. With the
// run-length codec (the default) the source holds one byte table: the compressed
// colour table followed by the compressed pattern table, each closed by its end code
// 255. With another codec (or none) it holds two tables, NAME_COLOR and NAME_PATTERN.

#include "asm_tables.h"
#include "atomic_file.h"
#include "batch_outputs.h"
#include "c_tables.h"
#include "compression.h"
#include "picture.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace paint {

// The table name used when the user gives none.
QString defaultTableName(); // "IMAGE"
// The typed name, or the default for an empty answer or a cancelled box.
QString tableNameOrDefault(const std::optional<QString>& answer);
// The refusal of a name that cannot name the tables in C and in assembler (where the
// label is "L" and the name), or an empty text.
QString tableNameRefusal(const QString& name);

// Compressed colours, then compressed patterns, of the normalised picture.
std::vector<std::uint8_t> exportStream(const Picture& picture);

struct SourceOptions {
    tms::Compression compression = tms::Compression::Rle;
    tms::CStyle style = tms::CStyle::Coleco;
    tms::AsmSyntax syntax = tms::AsmSyntax::Dot;
};

// The tables of a source, named name (and "L" before it in assembler).
tms::SourceTables pictureSourceTables(const Picture& picture, const QString& name, tms::Compression compression);

// The C source: a banner, #include <coleco.h>, and "byte NAME[] = {" with the stream,
// 16 values a line, the last one closed by "};". CR LF line ends.
QByteArray cSource(const Picture& picture, const QString& tableName,
                   tms::Compression compression = tms::Compression::Rle);
// The files of a C export: the source, and in the stdint style its header.
tms::batch::Outputs cExportFiles(const QString& path, const Picture& picture, const QString& tableName,
                                 SourceOptions options);
// The assembler source: a banner, the label "LNAME:" and data lines of 16 values.
QByteArray asmSource(const Picture& picture, const QString& tableName, SourceOptions options = {});

tms::FileResult exportC(const QString& path, const Picture& picture, const QString& tableName,
                        SourceOptions options = {});
tms::FileResult exportASM(const QString& path, const Picture& picture, const QString& tableName,
                          SourceOptions options = {});

// The raw tables: PREFIX.pat and PREFIX.col (6144 each, the picture's own tables, not
// normalised) and PREFIX.nam (0..255 in each third), each with the codec's suffix
// when compressed (PREFIX.pat.zx0).
tms::batch::Outputs binaryExportFiles(const QString& prefix, const Picture& picture, tms::Compression compression);

} // namespace paint
