// The folder where the embedded engine keeps its lock files. Whoever can write into it can
// disturb or read the engine's shared memory, so it must be the user's own: a folder another
// user made (in /tmp anybody may make one first), one others may write into, or a symbolic link
// is passed over.
#pragma once

#include <QString>
#include <QStringList>

// Whether `folder` is a real folder (not a link) owned by this user that no one else may write.
bool IsPrivateFolder(const QString& folder);

// The first of `candidates` that is private, made (mode 0700) when missing; empty when none is.
QString PrivateLockFolder(const QStringList& candidates);

// Where the program looks for its lock folder, in order: the user's cache, runtime and data
// folders, then one named after the user in the temporary folder.
QStringList LockFolderCandidates();
