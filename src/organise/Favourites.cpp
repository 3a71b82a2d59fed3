#include "Favourites.h"

#include "OrganiseTexts.h"

namespace organise {

using namespace store;

bool Favourites::add() { return setFavourite(true); }
bool Favourites::remove() { return setFavourite(false); }

bool Favourites::setFavourite(bool on)
{
    const qint64 n = m_c.goToSelected();
    if (n <= 0)
        return false;
    Recordset& rs = *m_c.state.rsBase;
    // A folder record under "Избранное" would have no name to be listed by.
    if (catalogue::isFolderRecord(rs))
        return false;
    const EntryPlace before = EntryPlace::of(rs);
    const QString question = on ? texts::addToFavouritesQuestion(before.label())
                                : texts::removeFromFavouritesQuestion(before.label());
    if (!m_c.ask(texts::favouritesTitle(), question))
        return false;
    EntryPlace after = before;
    after.favourite = on;
    return m_c.write(n, before, after, {{ColFavorite, on ? 1 : 0}}, [&](const QString& why) {
        return on ? texts::addToFavouritesFailed(before.label(), why)
                  : texts::removeFromFavouritesFailed(before.label(), why);
    });
}

bool Favourites::editLink()
{
    const qint64 n = m_c.goToSelected();
    if (n <= 0)
        return false;
    Recordset& rs = *m_c.state.rsBase;
    const EntryPlace before = EntryPlace::of(rs);
    const std::optional<QString> answer = m_c.prompter.input(m_c.errorTitle, texts::linkPrompt(), before.linkTarget);
    if (!answer || answer->isEmpty())
        return false;
    // A link stays a link, and the views show nothing of its address; an
    // entry given its first target would be listed as a link from now on.
    EntryPlace after = before;
    after.linkTarget = *answer;
    return m_c.write(n, before, after, {{ColLinkTarget, *answer}},
                     [&](const QString& why) { return texts::linkFailed(before.label(), why); });
}

}  // namespace organise
