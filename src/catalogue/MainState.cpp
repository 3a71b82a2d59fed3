#include "MainState.h"

#include <cmath>

namespace catalogue {

qint64 recordNumberOf(const QString& tag)
{
    bool ok = false;
    const qint64 whole = tag.trimmed().toLongLong(&ok);
    if (ok)
        return whole;
    // A tag such as "12.0": the integer part of its value.
    const double value = tag.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 9e15)
        return 0;
    return qint64(std::trunc(value));
}

bool MainState::goToRecord(const QString& tag)
{
    if (!rsBase)
        return false;
    const qint64 n = recordNumberOf(tag);
    // A stale or foreign number must not leave the recordset beside the rows,
    // where a later write would have nothing to change.
    if (n < 1 || n > rsBase->recordCount())
        return false;
    rsBase->moveTo(n);
    return true;
}

}  // namespace catalogue
