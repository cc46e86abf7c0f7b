#pragma once

#include <QByteArray>
#include <QString>

namespace pexor {

// Gives the file at `path` the new content in one step, or leaves it exactly
// as it was and answers false. Every call goes through CurrentFileOps() and
// is checked.
//
// The content is written to a temporary file beside the old one, synced and
// closed; the old file is kept under a second temporary name while the new
// one is renamed over it and the directory is synced, so that a failure at
// any step, the last included, puts the old file back. On a file system
// without hard links that last safeguard is missing: a failure after the
// rename then leaves the new, complete file and still answers false.
//
// Temporaries of this program's own pattern, left by a save that was killed,
// are removed before anything else is done; a failed save leaves none of its
// own. A link is followed: its target gets the new content.
bool ReplaceFile(const QString &path, const QByteArray &bytes);

// Whether `name` is one of the temporaries that ReplaceFile makes for a file
// called `target` (a file name, not a path): "." + target + ".pexor-tmp-"
// and six letters or digits.
bool IsReplaceTemporary(const QString &name, const QString &target);

// Makes the directory and its missing parents; true when it is there.
bool MakeDirectoryPath(const QString &directory);

} // namespace pexor
