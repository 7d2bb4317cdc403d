#pragma once
// The raw export: each table in a file of its own, PREFIX plus the table's extension,
// compressed on request (the codec's suffix is then appended: PREFIX.pat.zx0).

#include "batch_outputs.h"
#include "compression.h"

#include <cstdint>
#include <vector>

namespace tms {

struct BinaryTable {
    QString extension; // ".pat"
    std::vector<std::uint8_t> bytes;
};

batch::Outputs binaryTableOutputs(const QString& prefix, const std::vector<BinaryTable>& tables,
                                  Compression compression);

} // namespace tms
