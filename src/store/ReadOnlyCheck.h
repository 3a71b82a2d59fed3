#pragma once
// Whether a connection may write. The one check the maintenance commands make
// before they change or replace a base: one opened only for reading refuses them.
namespace store {

class Database;

// True when the connection was opened for reading only (by the program's own
// choice, or by the engine because the file may not be written).
bool openedReadOnly(const Database& db);

}  // namespace store
