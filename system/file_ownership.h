#pragma once
// Who owns the files the programs write, and whether a folder may take new files: on a
// shared install the program folder is open to every account, and what another account
// put there must never lead a write of ours to a file of the user's.
#include <QString>

namespace platform {

// Whether another account owns what lies at path (a link itself, not what it names);
// false for a path where nothing lies.
bool IsOwnedByAnotherAccount(const QString& path);
// Says who owns path, for the user ("the account nobody").
QString OwnerDescription(const QString& path);

// Why folder (the folder itself, or anything in it at any depth, links not followed) must
// not be used: the first thing there that another account owns, said for the user; ""
// when the account running the program owns all of it.
QString ForeignEntryIn(const QString& folder);

// Whether this account may make files in folder. The system's answer, and for root, which
// passes every permission check, also what the folder's owner and mode grant: root too
// keeps out of a program folder that is read-only or another account's.
bool IsWritableFolder(const QString& folder);

} // namespace platform
