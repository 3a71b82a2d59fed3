#pragma once
// What every organising command works on: the main window's state, the seam
// for questions and messages, the views it keeps in step, and the caption of
// its error messages.
#include "CatalogueViews.h"

#include "catalogue/MainState.h"
#include "platform/Prompter.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <initializer_list>
#include <utility>

namespace organise {

struct OrganiseContext {
    catalogue::MainState& state;
    platform::Prompter& prompter;
    CatalogueViews& views;
    QString errorTitle;

    // A refusal or failure, with the critical icon.
    void fail(const QString& message) const { prompter.message(platform::MsgStyle::Critical, errorTitle, message); }
    // A question with OK and Cancel and the information icon; true for OK.
    bool ask(const QString& title, const QString& question) const
    {
        return prompter.message(platform::MsgStyle::Information, title, question);
    }
    // Positions rsBase on the entry SelItem names: its RecordNumber, or 0 when
    // SelItem names none (empty, 0, or a number beside the rows).
    qint64 goToSelected() const
    {
        return state.goToRecord(state.selItem) ? state.rsBase->recordNumber() : 0;
    }

    // Stores `values` (column, value) into row n of rsBase as one update and
    // then shows the row as `after` in the views. When the write fails the row
    // stays as it was, the views are not touched and failed(reason) is said.
    bool write(qint64 n, const EntryPlace& before, const EntryPlace& after,
               std::initializer_list<std::pair<int, QVariant>> values,
               const std::function<QString(const QString& reason)>& failed) const
    {
        store::Recordset& rs = *state.rsBase;
        // While a question was open the editor may have stored into its own row.
        rs.moveTo(n);
        store::Result<void> r = rs.edit();
        for (const auto& [column, value] : values) {
            if (r)
                r = rs.setValue(column, value);
        }
        if (r)
            r = rs.update();
        if (!r) {
            rs.cancelUpdate();
            fail(failed(r.message()));
            return false;
        }
        views.entryChanged(n, before, after);
        return true;
    }
};

}  // namespace organise
