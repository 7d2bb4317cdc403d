#include "asm_tables.h"

#include "hex.h"
#include "text_writer.h"

namespace tms {

std::optional<AsmSyntax> asmSyntaxNamed(const QString& name)
{
    if (name == QLatin1String("dot"))
        return AsmSyntax::Dot;
    if (name == QLatin1String("db"))
        return AsmSyntax::Db;
    if (name == QLatin1String("sdas"))
        return AsmSyntax::Sdas;
    return std::nullopt;
}

namespace {

void writeData(CrLfText& text, AsmSyntax syntax, const SourceTable& table)
{
    const char* directive = syntax == AsmSyntax::Dot ? "\t.byte " : syntax == AsmSyntax::Db ? "\tdb " : "\t.db ";
    const char* prefix = syntax == AsmSyntax::Sdas ? "0x" : "$";
    const std::size_t perLine = std::size_t(std::max(1, table.valuesPerLine));
    QByteArray line;
    for (std::size_t i = 0; i < table.bytes.size(); ++i) {
        if (i % perLine == 0)
            line = directive;
        else
            line += ',';
        line += prefix;
        appendHex2(line, table.bytes[i]);
        if (i % perLine == perLine - 1 || i + 1 == table.bytes.size())
            text.line(line.constData());
    }
}

} // namespace

QByteArray asmTablesSource(AsmSyntax syntax, const AsmLayout& layout, const SourceTables& tables)
{
    CrLfText text;
    for (const QString& line : layout.banner)
        text.line(line);
    text.line();
    if (syntax == AsmSyntax::Sdas) {
        text.line("\t.area _CODE");
        for (const SourceTable& table : tables)
            text.line(QStringLiteral("\t.globl _") + table.name);
    }
    for (const SourceTable& table : tables) {
        text.line().line((syntax == AsmSyntax::Sdas ? QStringLiteral("_") : QString()) + table.name + QLatin1Char(':'));
        if (!table.comment.isEmpty())
            text.line(table.comment);
        writeData(text, syntax, table);
    }
    if (syntax == AsmSyntax::Dot && layout.endDirective)
        text.line().line("\t.end");
    return text.bytes();
}

} // namespace tms
