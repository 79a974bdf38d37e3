// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplaceFile.h"

#include "ServicesLog.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 chunkSize = 64 * 1024;

// Opens the temporary file beside `target`; QSaveFile refuses a target it may not write, hence
// the permission fix first.
bool openBeside(QSaveFile &file)
{
    if (!ReplaceFile::makeWritable(file.fileName()) || !file.open(QIODevice::WriteOnly)) {
        qCWarning(lcServices) << "cannot replace" << file.fileName() << file.errorString();
        return false;
    }
    return true;
}

// After cancelWriting() this discards the temporary file and fails.
bool commit(QSaveFile &file)
{
    if (!file.commit()) {
        qCWarning(lcServices) << "cannot replace" << file.fileName() << file.errorString();
        return false;
    }
    return true;
}

} // namespace

bool ReplaceFile::makeWritable(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.permissions().testFlag(QFileDevice::WriteOwner))
        return true;
    // On Windows any write flag clears the read-only attribute.
    return QFile::setPermissions(path, info.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           | QFileDevice::ReadUser | QFileDevice::WriteUser);
}

bool ReplaceFile::copy(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        qCWarning(lcServices) << "cannot read" << source << in.errorString();
        return false;
    }
    QSaveFile out(target);
    if (!openBeside(out))
        return false;
    QByteArray chunk(int(chunkSize), Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(chunk.data(), chunkSize);
        if (got < 0) {
            qCWarning(lcServices) << "cannot read" << source << in.errorString();
            out.cancelWriting();
            return false;
        }
        if (got == 0)
            break;
        if (out.write(chunk.constData(), got) != got) {
            out.cancelWriting();
            break;
        }
    }
    return commit(out);
}

bool ReplaceFile::write(const QString &target, const QByteArray &bytes)
{
    QSaveFile out(target);
    if (!openBeside(out))
        return false;
    if (out.write(bytes) != bytes.size())
        out.cancelWriting();
    return commit(out);
}
