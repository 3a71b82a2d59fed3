#pragma once
// The recycle bin: moving the entry SelItem names into "Корзина" (its Deleted
// flag set), taking it out again, and removing it from the base for good.
#include "OrganiseContext.h"

namespace organise {

class RecycleBin {
public:
    explicit RecycleBin(OrganiseContext context) : m_c(std::move(context)) {}

    // `DeleteItem`: moves the entry into the bin (Deleted 1, Favorite 0) after
    // asking, unless `mesa` skips the question. Nothing for a folder, a folder
    // record or an entry already in the bin. True when the entry moved.
    bool deleteItem(bool mesa);
    // Takes the entry out of the bin (Deleted 0), without asking. Acts only on
    // an entry in the bin, whatever the folder shown is called.
    bool restore();
    // Removes the entry from the base after asking. Acts only on an entry in
    // the bin. Later rows move one place forward, and the views follow.
    bool deleteFromBase();

private:
    OrganiseContext m_c;
};

}  // namespace organise
