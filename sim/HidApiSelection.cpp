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
