// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSaveFile>
#include <QSettings>

namespace {

// The bridge's settings objects write what was set on their next UpdateRequest event.
void flushSettings()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

} // namespace

DataTree::DataTree(const QString &shipped, QObject *parent)
    : QObject(parent)
    , m_shipped(shipped)
    , m_startDir(QDir::currentPath())
{
}

DataTree::~DataTree()
{
    QDir::setCurrent(m_startDir);
}

void DataTree::renew()
{
    QDir::setCurrent(m_startDir);
    m_dir = std::make_unique<QTemporaryDir>();
    const QString modules = m_dir->filePath(QStringLiteral("modules"));
    QDirIterator it(m_shipped, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(modules).filePath(QDir(m_shipped).relativeFilePath(source));
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            qFatal("cannot copy the data tree: %s", qPrintable(source));
    }
    if (!QDir::setCurrent(m_dir->path()))
        qFatal("cannot enter the data tree %s", qPrintable(m_dir->path()));
}

QString DataTree::path(const QString &relative) const
{
    if (!m_dir)
        return QString();
    const QString root = QDir(m_dir->path()).canonicalPath();
    const QString path = QDir::cleanPath(root + QLatin1Char('/') + relative);
    return path.startsWith(root + QLatin1Char('/')) ? path : QString();
}

QString DataTree::readFile(const QString &relative) const
{
    flushSettings();
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QVariant DataTree::value(const QString &relative, const QString &key) const
{
    flushSettings();
    // Read from a copy: settings objects of one file share what they hold, so a reader of the
    // file itself would see the bridge's values rather than the file's.
    const QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("copy.ini"));
    if (!QFile::copy(path(relative), copy))
        return QVariant();
    const QVariant value = QSettings(copy, QSettings::IniFormat).value(key);
    // A list of texts as a script array, which compare() takes.
    return value.type() == QVariant::StringList ? QVariant(value.toList()) : value;
}

bool DataTree::writeFile(const QString &relative, const QString &text)
{
    const QString file = path(relative);
    if (file.isEmpty() || !QDir().mkpath(QFileInfo(file).path()))
        return false;
    QSaveFile out(file);
    const QByteArray bytes = text.toUtf8();
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

bool DataTree::removeFile(const QString &relative)
{
    const QString file = path(relative);
    return !file.isEmpty() && QFile::remove(file);
}

QStringList DataTree::files(const QString &folder) const
{
    flushSettings();
    const QString dir = path(folder);
    return dir.isEmpty() ? QStringList() : QDir(dir).entryList(QDir::Files, QDir::Name);
}
