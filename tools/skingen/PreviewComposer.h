// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// Mock-ups of the scene made from a skin's written pictures, placed at the scene's coordinates,
// for looking at the art as a user would: the main screen with the lighting page, the other
// pages, and a contact sheet of the small pictures at twice their size.
class PreviewComposer
{
public:
    // skinFolder holds the pictures of one skin (modules/img/skin<N>).
    explicit PreviewComposer(const QString &skinFolder);

    QImage mainScreen() const;
    QImage pages() const;
    QImage contactSheet() const;

private:
    QImage picture(const QString &path) const;

    QString m_folder;
};
