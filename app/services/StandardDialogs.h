// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UserDialogs.h"

class QWidget;

// The toolkit's own dialogs: file dialogs over the given parent widget, warning boxes without
// a parent (as top-level windows of their own). A name saved without a suffix gets the one of
// the filter's first pattern ("mine" becomes "mine.pf" under "Profile(*.pf)"). GUI thread only.
class StandardDialogs final : public UserDialogs
{
public:
    explicit StandardDialogs(QWidget *fileDialogParent);

    QString openFile(const QString &caption, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &caption, const QString &folder, const QString &filter) override;
    void warn(const QString &title, const QString &text) override;

private:
    QWidget *m_parent;
};
