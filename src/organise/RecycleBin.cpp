#include "RecycleBin.h"

#include "OrganiseTexts.h"

namespace organise {

using namespace store;

bool RecycleBin::deleteItem(bool mesa)
{
    const qint64 n = m_c.goToSelected();
    if (n <= 0)
        return false;
    Recordset& rs = *m_c.state.rsBase;
    // A folder record stands for its folder; in the bin it would have no name.
    if (catalogue::isFolderRecord(rs))
        return false;
    const EntryPlace before = EntryPlace::of(rs);
    if (before.deleted)
        return false;
    if (!mesa && !m_c.ask(texts::confirmTitle(), texts::moveToBinQuestion(before.label())))
        return false;
    EntryPlace after = before;
    after.deleted = true;
    after.favourite = false;
    return m_c.write(n, before, after, {{ColDeleted, 1}, {ColFavorite, 0}},
                     [&](const QString& why) { return texts::moveToBinFailed(before.label(), why); });
}

bool RecycleBin::restore()
{
    const qint64 n = m_c.goToSelected();
    if (n <= 0)
        return false;
    Recordset& rs = *m_c.state.rsBase;
    const EntryPlace before = EntryPlace::of(rs);
    if (!before.deleted)
        return false;
    EntryPlace after = before;
    after.deleted = false;
    return m_c.write(n, before, after, {{ColDeleted, 0}},
                     [&](const QString& why) { return texts::restoreFailed(before.label(), why); });
}

bool RecycleBin::deleteFromBase()
{
    const qint64 n = m_c.goToSelected();
    if (n <= 0)
        return false;
    const EntryPlace before = EntryPlace::of(*m_c.state.rsBase);
    if (!before.deleted)
        return false;
    if (!m_c.ask(texts::confirmTitle(), texts::deleteFromBaseQuestion(before.label())))
        return false;
    // What was typed into the shown article is stored before rows move.
    m_c.state.flushPendingEdits();
    Recordset& rs = *m_c.state.rsBase;
    rs.moveTo(n);
    if (Result<void> r = rs.remove(); !r) {
        m_c.fail(texts::deleteFailed(before.label(), r.message()));
        return false;
    }
    m_c.views.entryRemoved(n, before);
    return true;
}

}  // namespace organise
