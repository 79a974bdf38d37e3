// SPDX-License-Identifier: GPL-3.0-or-later
#include "HidApiSelection.h"

#include "SimLog.h"
#include "SimulatedKeyboard.h"
#include "SimulatedKeyboardFiles.h"
#include "SimulatedTyping.h"

#include <QByteArray>
#include <QDir>

#include <memory>

namespace {

using Step = SimulatedKeyboard::Step;
using Fault = SimulatedKeyboard::Fault;

struct StepName { const char *name; Step step; };
constexpr StepName kStepNames[] = {
    {"open", Step::Open}, {"send-feature", Step::SendFeature}, {"get-feature", Step::GetFeature},
    {"write", Step::Write}, {"read", Step::Read}, {"event-read", Step::EventRead},
};
struct FaultName { const char *name; Fault fault; };
constexpr FaultName kFaultNames[] = {
    {"fail", Fault::Fail}, {"unplug", Fault::Unplug}, {"short", Fault::Short},
    {"garbled", Fault::Garbled}, {"silent", Fault::Silent},
};

template <typename Row, std::size_t N>
const Row *rowNamed(const Row (&rows)[N], const QString &name)
{
    for (const Row &row : rows) {
        if (name == QLatin1String(row.name))
            return &row;
    }
    return nullptr;
}

// One item of TARVENIX_SIM_FAULTS into the setup; false when it cannot be read.
bool addFault(SimulationSetup &setup, const QString &item)
{
    const QStringList parts = item.trimmed().split(QLatin1Char(':'));
    bool ok = false;
    if (parts.size() == 2 && parts[0] == QLatin1String("discard")) {
        const uint command = parts[1].toUInt(&ok, 16);
        if (ok && command <= 0xFF)
            setup.discarded.append(static_cast<unsigned char>(command));
        return ok && command <= 0xFF;
    }
    if (parts.size() != 2 && parts.size() != 3)
        return false;
    const StepName *step = rowNamed(kStepNames, parts[0]);
    const FaultName *fault = rowNamed(kFaultNames, parts[1]);
    const int occurrence = parts.size() == 3 ? parts[2].toInt(&ok) : 1;
    if (!step || !fault || (parts.size() == 3 && (!ok || occurrence < 1)))
        return false;
    setup.faults.append({step->step, fault->fault, occurrence});
    return true;
}

// The keyboard, its files and the typing on it, set up once; at exit the typing stops first,
// then the keyboard goes.
struct Simulation
{
    unsigned short defaultRelease;
    SimulatedKeyboardFiles files;
    SimulatedKeyboard keyboard;
    std::unique_ptr<SimulatedTyping> typing;

    Simulation(const SimulationSetup &setup, unsigned short defaultRelease)
        : defaultRelease(defaultRelease)
        , files(setup.statePath, setup.recordPath)
        , keyboard(setup.release)
    {
        if (const auto state = files.loadState())
            keyboard.setState(*state);
        for (const SimulationSetup::InjectedFault &f : setup.faults)
            keyboard.injectFault(f.step, f.fault, f.occurrence);
        for (const unsigned char command : setup.discarded)
            keyboard.discardPayloads(command);
        keyboard.setObserver(&files);
        // A real keyboard takes a moment to acknowledge.
        keyboard.setAckDelay(2);
        if (!setup.keysPath.isEmpty())
            typing = std::make_unique<SimulatedTyping>(keyboard, setup.keysPath);
    }
};

Simulation *simulation = nullptr;

} // namespace

SimulationSetup simulationSetup(const QProcessEnvironment &environment, unsigned short defaultRelease)
{
    SimulationSetup setup;
    setup.release = defaultRelease;
    const QString release = environment.value(QStringLiteral("TARVENIX_SIM_RELEASE"));
    if (!release.isEmpty()) {
        bool ok = false;
        const uint number = release.toUInt(&ok, 0);
        if (ok && number <= 0xFFFF)
            setup.release = static_cast<unsigned short>(number);
        else
            qCInfo(lcSim, "simulated keyboard: TARVENIX_SIM_RELEASE is not a release number; using 0x%04x",
                   defaultRelease);
    }
    setup.statePath = environment.value(QStringLiteral("TARVENIX_SIM_STATE"));
    const QString runtime = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (setup.statePath.isEmpty() && !runtime.isEmpty())
        setup.statePath = QDir(runtime).filePath(QStringLiteral("tarvenix/simulated-keyboard.state"));
    setup.recordPath = environment.value(QStringLiteral("TARVENIX_SIM_RECORD"));
    setup.keysPath = environment.value(QStringLiteral("TARVENIX_SIM_KEYS"));
    const QString faults = environment.value(QStringLiteral("TARVENIX_SIM_FAULTS"));
    for (const QString &item : faults.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!addFault(setup, item))
            qCInfo(lcSim, "simulated keyboard: TARVENIX_SIM_FAULTS: cannot read \"%s\"", qPrintable(item));
    }
    return setup;
}

HidApi &selectHidApi(unsigned short defaultRelease)
{
    if (!keyboardSimulated())
        return HidApi::system();
    static Simulation theSimulation(simulationSetup(QProcessEnvironment::systemEnvironment(), defaultRelease),
                                    defaultRelease);
    simulation = &theSimulation;
    return theSimulation.keyboard;
}

bool keyboardSimulated()
{
    return qgetenv("TARVENIX_DEVICE") == "simulated";
}

void replugSimulatedKeyboard()
{
    if (simulation) {
        const SimulationSetup setup = simulationSetup(QProcessEnvironment::systemEnvironment(), simulation->defaultRelease);
        simulation->keyboard.swapFor(setup.release);
    }
}
