#pragma once
// easel's batch front end: converts a PowerPaint picture without a window,
//   easel [--save OUT.pp [--full | --10k]] [--png OUT.png] INPUT.pp
// carrying the outputs out in the order given. Exit status 0 on success, 1 when the
// input cannot be read or an output cannot be written (never a partial file),
// 2 for a usage error.

#include <QStringList>

namespace paint {

int runBatch(const QStringList& arguments);

} // namespace paint
