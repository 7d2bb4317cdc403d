#include "binary_tables.h"

namespace tms {

batch::Outputs binaryTableOutputs(const QString& prefix, const std::vector<BinaryTable>& tables,
                                  Compression compression)
{
    batch::Outputs outputs;
    for (const BinaryTable& table : tables) {
        const std::vector<std::uint8_t> bytes = compress(compression, table.bytes);
        outputs.push_back({prefix + table.extension + compressedFileSuffix(compression),
                           QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))});
    }
    return outputs;
}

} // namespace tms
