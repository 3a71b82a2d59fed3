#pragma once
// Favourites: marking and unmarking the entry SelItem names (its Favorite
// flag), and editing a link's address. Opening an entry from the menus is the
// navigation's own.
#include "OrganiseContext.h"

namespace organise {

class Favourites {
public:
    explicit Favourites(OrganiseContext context) : m_c(std::move(context)) {}

    // `AddToFavorites`: asks, then sets Favorite 1 (asked again, and one node
    // kept, for an entry that is a favourite already). True when stored.
    bool add();
    // Asks, then sets Favorite 0. An entry filed in "Избранное" itself stays there.
    bool remove();
    // Asks for the link's new address in the input box, the current one given;
    // an empty answer or Cancel changes nothing. True when stored.
    bool editLink();

private:
    bool setFavourite(bool on);
    OrganiseContext m_c;
};

}  // namespace organise
