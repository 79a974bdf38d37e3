// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// The system's requests to end the program (see the Linux class of the same name for the
// contract). On Windows there is nothing to translate: the launcher ends the application with a
// window-close message, which reaches the main window directly. The signal is never emitted.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);

    bool start();

signals:
    void terminationRequested();
};
