#pragma once
// The catalogue load (`ListAlpha`): reopens the base and rebuilds, in two passes
// over all rows, the alphabetical index and the catalogue tree, then refills the
// folder list. The only place where tree nodes and index items get RecordNumbers.
#include "MainState.h"
#include "store/Result.h"

namespace catalogue {

class PathTreeModel;

// ListAlpha on the main state. A base that cannot be opened is an Error and
// leaves the open base, the recordset and the views as they were.
store::Result<void> listAlpha(MainState& state);

// The tree pass alone on an open recordset (used by listAlpha; the expanded
// nodes of `tree` are kept across the rebuild by upper-cased full path).
// report, when set, gets "i из n" after each row.
void buildCatalogueTree(PathTreeModel& tree, store::Recordset& rs,
                        const std::function<void(qint64 i, qint64 n)>& report = {});

// The "i из n" progress text.
QString progressText(qint64 i, qint64 n);
// The progress callback of a pass over all rows (state.progress, thinned out),
// or none when the state shows no progress.
std::function<void(qint64 i, qint64 n)> progressReporter(const MainState& state);

}  // namespace catalogue
