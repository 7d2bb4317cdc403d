#include "c_tables.h"

#include "file_extension.h"
#include "hex.h"
#include "text_writer.h"

#include <QFileInfo>

namespace tms {

std::optional<CStyle> cStyleNamed(const QString& name)
{
    if (name == QLatin1String("coleco"))
        return CStyle::Coleco;
    if (name == QLatin1String("stdint"))
        return CStyle::Stdint;
    return std::nullopt;
}

QString headerPathFor(const QString& cPath)
{
    if (hasExtension(cPath, QStringLiteral(".c")))
        return cPath.left(cPath.size() - 2) + QStringLiteral(".h");
    return cPath + QStringLiteral(".h");
}

namespace {

QString sizeName(const SourceTable& table)
{
    return table.name + QStringLiteral("_SIZE");
}

// The include guard: the header's file name in capitals, other characters as "_".
QString guardFor(const QString& fileName)
{
    QString guard;
    for (const QChar c : fileName.toUpper())
        guard += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QLatin1Char('_');
    if (guard.isEmpty() || guard.front().isDigit())
        guard.prepend(QLatin1Char('_'));
    return guard + QStringLiteral("_INCLUDED");
}

} // namespace

CSourcePair stdintTablesSource(const QStringList& banner, const QString& headerPath, const SourceTables& tables)
{
    const QString headerName = QFileInfo(headerPath).fileName();
    const QString guard = guardFor(headerName);

    CrLfText header;
    for (const QString& line : banner)
        header.line(line);
    header.line().line(QStringLiteral("#ifndef ") + guard).line(QStringLiteral("#define ") + guard);
    header.line().line("#include <stdint.h>").line();
    for (const SourceTable& table : tables)
        header.line(QStringLiteral("#define %1 %2").arg(sizeName(table)).arg(table.bytes.size()));
    header.line();
    for (const SourceTable& table : tables)
        header.line(QStringLiteral("extern const uint8_t %1[%2];").arg(table.name, sizeName(table)));
    header.line().line(QStringLiteral("#endif"));

    CrLfText source;
    for (const QString& line : banner)
        source.line(line);
    source.line().line("#include <stdint.h>").line(QStringLiteral("#include \"%1\"").arg(headerName));
    for (const SourceTable& table : tables) {
        source.line().line(QStringLiteral("const uint8_t %1[%2] = {").arg(table.name, sizeName(table)));
        const std::size_t perLine = std::size_t(std::max(1, table.valuesPerLine));
        QByteArray line;
        for (std::size_t i = 0; i < table.bytes.size(); ++i) {
            line += i % perLine == 0 ? "    0x" : " 0x";
            appendHex2(line, table.bytes[i]);
            if (i + 1 < table.bytes.size())
                line += ',';
            if (i % perLine == perLine - 1 || i + 1 == table.bytes.size()) {
                source.line(line.constData());
                line.clear();
            }
        }
        source.line("};");
    }
    return {source.bytes(), header.bytes()};
}

} // namespace tms
