// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedKeyboardFiles.h"

#include "SimLog.h"
#include "SimulatedKeyboardStateText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Logs `what` when `failed` starts a run of failures; returns `failed`.
bool noteFailure(bool failed, bool &failing, const char *what, const QString &path)
{
    if (failed && !failing)
        qCInfo(lcSim, "simulated keyboard: cannot write %s %s", what, qPrintable(path));
    failing = failed;
    return failed;
}

bool ensureFolder(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo::exists(folder))
        return true;
    return QDir().mkpath(folder)
        && QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

SimulatedKeyboardFiles::SimulatedKeyboardFiles(const QString &statePath, const QString &recordPath)
    : m_statePath(statePath)
    , m_record(recordPath)
{
}

std::optional<SimulatedKeyboard::State> SimulatedKeyboardFiles::loadState() const
{
    if (m_statePath.isEmpty())
        return std::nullopt;
    QFile file(m_statePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte more than allowed, so that an oversized file is seen as one.
    const auto state = SimulatedKeyboardStateText::decode(file.read(SimulatedKeyboardStateText::kMaximumSize + 1));
    if (!state)
        qCInfo(lcSim, "simulated keyboard: ignoring the unreadable state file %s", qPrintable(m_statePath));
    return state;
}

void SimulatedKeyboardFiles::reportReceived(Report kind, const QByteArray &report)
{
    if (m_record.fileName().isEmpty())
        return;
    if (!m_record.isOpen() && !m_record.open(QIODevice::WriteOnly | QIODevice::Append)) {
        noteFailure(true, m_recordFailing, "the record", m_record.fileName());
        return;
    }
    const QByteArray line = (kind == Report::Feature ? "feature " : "output ") + report.toHex(' ') + '\n';
    noteFailure(m_record.write(line) != line.size() || !m_record.flush(), m_recordFailing, "the record",
                m_record.fileName());
}

void SimulatedKeyboardFiles::stateChanged(const SimulatedKeyboard::State &state)
{
    if (m_statePath.isEmpty())
        return;
    QSaveFile file(m_statePath);
    const QByteArray text = SimulatedKeyboardStateText::encode(state);
    const bool written = ensureFolder(m_statePath) && file.open(QIODevice::WriteOnly)
        && file.write(text) == text.size() && file.commit();
    noteFailure(!written, m_stateFailing, "the state file", m_statePath);
}
