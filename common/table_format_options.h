#pragma once
// The batch options that set the format of the table export given just before them:
// --asm-syntax, --c-style and --compress. Every program that exports tables takes them
// the same way; its plan offers lastC (style, compression), lastAsm (syntax,
// compression), lastBin and lastTableExport.

#include "asm_tables.h"
#include "batch_option_table.h"
#include "c_tables.h"
#include "compression.h"

namespace tms::batch {

// The latest of --export-c, --export-asm and --export-bin, which --compress sets.
enum class TableExport { None, C, Asm, Bin };

template <typename Plan>
std::vector<OptionEntry<Plan>> withTableFormatOptions(std::vector<OptionEntry<Plan>> table)
{
    table.push_back({QCommandLineOption(QStringLiteral("asm-syntax"), QString(), QStringLiteral("dot|db|sdas")),
                     [](Plan& plan, const QString& name) {
        const std::optional<AsmSyntax> syntax = asmSyntaxNamed(name);
        if (!syntax)
            return QStringLiteral("--asm-syntax needs dot, db or sdas, not \"%1\"").arg(name);
        if (!plan.lastAsm)
            return QStringLiteral("--asm-syntax belongs after an --export-asm");
        plan.lastAsm->syntax = *syntax;
        return QString();
                     }});
    table.push_back({QCommandLineOption(QStringLiteral("c-style"), QString(), QStringLiteral("coleco|stdint")),
                     [](Plan& plan, const QString& name) {
        const std::optional<CStyle> style = cStyleNamed(name);
        if (!style)
            return QStringLiteral("--c-style needs coleco or stdint, not \"%1\"").arg(name);
        if (!plan.lastC)
            return QStringLiteral("--c-style belongs after an --export-c");
        plan.lastC->style = *style;
        return QString();
                     }});
    table.push_back({QCommandLineOption(QStringLiteral("compress"), QString(), QStringLiteral("none|rle|zx0|pletter")),
                     [](Plan& plan, const QString& name) {
        const std::optional<Compression> compression = compressionNamed(name);
        if (!compression)
            return QStringLiteral("--compress needs none, rle, zx0 or pletter, not \"%1\"").arg(name);
        switch (plan.lastTableExport) {
        case TableExport::C:
            plan.lastC->compression = *compression;
            if constexpr (requires { plan.lastC->rle; }) // the C export's own --rle switch
                plan.lastC->rle = *compression == Compression::Rle;
            break;
        case TableExport::Asm: plan.lastAsm->compression = *compression; break;
        case TableExport::Bin: *plan.lastBin = *compression; break;
        case TableExport::None:
            return QStringLiteral("--compress belongs after an --export-c, --export-asm or --export-bin");
        }
        return QString();
                     }});
    return table;
}

} // namespace tms::batch
