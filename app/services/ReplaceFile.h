// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Replacing a file as one step. The new content is written to a temporary file in the target's
// folder and renamed over the target, so that anyone reading the target sees either the old
// file or the complete new one, never a part. On failure the target is left as it was and the
// temporary file is removed. A target without the owner's write permission (read-only on
// Windows) is made writable first, since such a file cannot be replaced otherwise; the
// replacement keeps the target's permissions. Both functions return whether the new content
// is in place.
namespace ReplaceFile {

// Replaces `target` with the bytes of `source`, read in chunks (a source of any size is fine).
// Fails, leaving `target` untouched, when `source` is missing, a folder or unreadable.
bool copy(const QString &source, const QString &target);

// Replaces `target` with `bytes`.
bool write(const QString &target, const QByteArray &bytes);

// Gives the owner read and write permission on an existing file that lacks write permission;
// true when the file is writable afterwards or does not exist.
bool makeWritable(const QString &path);

} // namespace ReplaceFile
