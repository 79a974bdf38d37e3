// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandardDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

StandardDialogs::StandardDialogs(QWidget *fileDialogParent)
    : m_parent(fileDialogParent)
{
}

QString StandardDialogs::openFile(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, folder, filter);
}

QString StandardDialogs::saveFile(const QString &caption, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, folder, filter);
}

void StandardDialogs::warn(const QString &title, const QString &text)
{
    QMessageBox::warning(nullptr, title, text, QMessageBox::Ok);
}
