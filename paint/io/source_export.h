#pragma once
// The picture as source for a console program: one byte table holding the
// run-length compressed colour table followed by the compressed pattern table, each
// closed by its end code 255, computed from a normalised copy of the picture
// (PackColors) so that exporting never changes the picture itself.

#include "atomic_file.h"
#include "picture.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace paint {

// The table name used when the user gives none.
QString defaultTableName(); // "IMAGE"
// The typed name, or the default for an empty answer or a cancelled box.
QString tableNameOrDefault(const std::optional<QString>& answer);

// Compressed colours, then compressed patterns, of the normalised picture.
std::vector<std::uint8_t> exportStream(const Picture& picture);

// The C source: a banner, #include <coleco.h>, and "byte NAME[] = {" with the stream,
// 16 values a line, the last one closed by "};". CR LF line ends.
QByteArray cSource(const Picture& picture, const QString& tableName);
// The assembler source: a banner, the label "LNAME:" and ".byte" lines of 16 values.
QByteArray asmSource(const Picture& picture, const QString& tableName);

tms::FileResult exportC(const QString& path, const Picture& picture, const QString& tableName);
tms::FileResult exportASM(const QString& path, const Picture& picture, const QString& tableName);

} // namespace paint
