// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandardDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

// The suffix of the filter's first pattern: "pf" for "Profile(*.pf)"; empty when it has none.
QString suffixOf(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

} // namespace

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
    QFileDialog dialog(m_parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Also asks before replacing "name.pf" when the user typed just "name".
    dialog.setDefaultSuffix(suffixOf(filter));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

void StandardDialogs::warn(const QString &title, const QString &text)
{
    QMessageBox::warning(nullptr, title, text, QMessageBox::Ok);
}
