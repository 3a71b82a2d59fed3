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

bool isFolderRecord(store::Recordset& rs)
{
    return rs.text(store::ColName).isEmpty() && rs.text(store::ColLinkTarget).isEmpty();
}

MainState::~MainState()
{
    if (auto db = m_listened.lock())
        db->removeRowsRemovedListener(m_listener);
}

bool MainState::goToDisplayed()
{
    if (!rsBase || displayedId <= 0 || !rsBase->moveToId(displayedId))
        return false;
    displayedEntry = QString::number(rsBase->recordNumber());
    return true;
}

void MainState::adoptBase(std::shared_ptr<store::Database> db)
{
    if (db && m_listened.lock() != db) {
        if (auto old = m_listened.lock())
            old->removeRowsRemovedListener(m_listener);
        m_listener = db->addRowsRemovedListener([this](const std::vector<qint64>& ids) { notifyRowsRemoved(ids); });
        m_listened = db;
        for (const auto& h : m_baseAdopted)
            h(db);
    }
    base = std::move(db);
}

}  // namespace catalogue
