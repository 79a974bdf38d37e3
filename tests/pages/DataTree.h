// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

// A temporary copy of an application's data tree (its "modules" folder) and the working
// directory while it is current, as an installation's data folder is for the application.
// Published as `dataTree`: paths are relative to the folder that holds "modules", e.g.
// "modules/setting/p1.bin", and never leave it. GUI thread only.
class DataTree : public QObject
{
    Q_OBJECT

public:
    // `shipped`: the built tree to copy, e.g. <build>/US/modules.
    explicit DataTree(const QString &shipped, QObject *parent = nullptr);
    ~DataTree() override;

    // Replaces the current copy by a fresh one and makes it the working directory.
    void renew();

    // The absolute path of `relative` (for a dialog's answer); empty when it would leave the tree.
    Q_INVOKABLE QString path(const QString &relative) const;
    // The file's text (UTF-8), empty when it is missing. Writes the bridge's pending settings
    // first, so what the bridge has stored is there.
    Q_INVOKABLE QString readFile(const QString &relative) const;
    // The value of `key` in an INI settings file as the file holds it, as text: a
    // comma-separated list comes back as a list of texts; undefined when the key or the file
    // is missing.
    Q_INVOKABLE QVariant value(const QString &relative, const QString &key) const;
    // Replaces the file with `text` (UTF-8), creating its folder. The bridge reads most files
    // when it is made: write before harness.restart().
    Q_INVOKABLE bool writeFile(const QString &relative, const QString &text);
    Q_INVOKABLE bool removeFile(const QString &relative);
    // The names of the files in a folder, sorted.
    Q_INVOKABLE QStringList files(const QString &folder) const;

private:
    const QString m_shipped;
    const QString m_startDir;
    std::unique_ptr<QTemporaryDir> m_dir;
};
