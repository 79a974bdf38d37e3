// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HidApiSelection.h"
#include "ImageTree.h"
#include "InstallationFlags.h"
#include "SceneResources.h"
#include "SimulatedKeyboard.h"
#include "Ui_Controler.h"
#include "Widget.h"
#include "WorkingDirectory.h"
#include "myQQuickView.h"

#include <QDir>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

// The application's main window for the benchmarks that look inside it: the US build on the
// simulated keyboard, working in a copy of the data tree (TARVENIX_DATA_TREE), shown in the X
// server named by DISPLAY and started as at start-up. Use from main(), after the application
// object.
class StartedWindow
{
public:
    // Returns once the start-up animation has shown the page area; false, with a line on the
    // error output, when the data tree cannot be copied or the scene does not start.
    bool start()
    {
        if (!m_data.isValid()
            || !WorkingDirectory::copyDirectory(QStringLiteral(TARVENIX_DATA_TREE),
                                                m_data.filePath(QStringLiteral("modules")), false)) {
            std::fprintf(stderr, "cannot copy the data tree\n");
            return false;
        }
        QDir::setCurrent(m_data.path());
        qputenv("TARVENIX_DEVICE", "simulated");
        qputenv("TARVENIX_SIM_STATE", m_data.filePath(QStringLiteral("keyboard.state")).toLocal8Bit());
        imagesVerified = imageTreeVerified(QStringLiteral("./modules/img"));
        initSceneResources();

        m_window = std::make_unique<Widget>(KeyMap::Layout::US, selectHidApi(SimulatedKeyboard::kReleaseUS));
        m_window->showNormal();
        m_window->startUi();
        QTest::qWait(0);
        m_pageArea = root() ? root()->findChild<QObject *>(QStringLiteral("pageArea")) : nullptr;
        if (!m_pageArea || !QTest::qWaitFor([this] { return m_pageArea->property("visible").toBool(); }, 30000)) {
            std::fprintf(stderr, "the scene did not start\n");
            return false;
        }
        return true;
    }

    myQQuickView *view() const { return m_window->controller()->view(); }
    QQuickItem *root() const { return view()->rootObject(); }
    QObject *pageArea() const { return m_pageArea; }

private:
    QTemporaryDir m_data;
    std::unique_ptr<Widget> m_window;
    QObject *m_pageArea = nullptr;
};
