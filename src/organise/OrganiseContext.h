#pragma once
// What every organising command works on: the main window's state, the seam
// for questions and messages, the views it keeps in step, and the caption of
// its error messages.
#include "CatalogueViews.h"

#include "catalogue/MainState.h"
#include "platform/Prompter.h"

#include <QString>

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
};

}  // namespace organise
