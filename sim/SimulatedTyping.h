// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <thread>

class SimulatedKeyboard;

// Typing on the simulated keyboard from outside the process, for end-to-end tests: each line
// written to a named pipe (FIFO) presses or releases a key on the keyboard's keyboard interface.
//   down 04    presses the key of usage 0x04 (hexadecimal, Keyboard/Keypad page)
//   up 04      releases it
// Other lines are ignored. The pipe is read on a thread of its own while the object lives.
class SimulatedTyping
{
public:
    // Nothing is read, with one line under tarvenix.sim, when `pipePath` is no named pipe.
    SimulatedTyping(SimulatedKeyboard &keyboard, const QString &pipePath);
    ~SimulatedTyping();
    SimulatedTyping(const SimulatedTyping &) = delete;
    SimulatedTyping &operator=(const SimulatedTyping &) = delete;

    bool isListening() const { return m_thread.joinable(); }

private:
    void run();
    void handleLine(const QByteArray &line);

    SimulatedKeyboard &m_keyboard;
    int m_pipe = -1;
    int m_stop = -1;        // an eventfd that ends the reading thread
    std::thread m_thread;
};
