// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

// A scratch data tree into which each input is written as the file a service reads.
// (FuzzInitialize.cpp gives every target its application object and silences the debug lines.)
namespace Fuzz {

// "<tree>/modules/..." in a temporary folder that lives as long as the process.
class Tree
{
public:
    QString base() const { return m_dir.path(); }

    // Writes the input as `relative` below the tree and returns its path. Each file gets a
    // modification time of its own: the toolkit's settings layer takes a file of the size and
    // time it saw before as unchanged and would parse a new input as the previous one.
    QString put(const QString &relative, const uint8_t *data, size_t size)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            std::abort();
        file.setFileTime(m_epoch.addSecs(++m_written), QFileDevice::FileModificationTime);
        return path;
    }

private:
    QTemporaryDir m_dir;
    QDateTime m_epoch = QDateTime::fromSecsSinceEpoch(1000000000);
    qint64 m_written = 0;
};

} // namespace Fuzz
