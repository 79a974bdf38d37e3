// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

#include <functional>

// Which renderer draws the scene. Where the only OpenGL is a software rasterizer (Mesa's
// llvmpipe, softpipe or swrast, as on a machine without a GPU or in a virtual X server), Qt
// Quick's own software adaptation draws the same scene in about half the time and memory: the
// scene then uses it. A GPU keeps OpenGL, and a back end the user names (QT_QUICK_BACKEND or
// QMLSCENE_DEVICE) always stands.

// True for the renderer strings of OpenGL drivers that rasterize on the CPU.
bool isSoftwareRasterizer(const QByteArray &renderer);

// True when the scene should use the software adaptation. openGLRenderer gives the renderer
// string of an OpenGL context (empty when none can be made); it is asked only where a GPU
// device is present, since elsewhere every OpenGL is a software one.
bool wantsSoftwareScene(const QProcessEnvironment &environment, bool gpuDevicePresent,
                        const std::function<QByteArray()> &openGLRenderer);

// True when the scene is drawn in software whatever OpenGL would answer: the user names no
// back end and no GPU device is present.
bool softwareSceneCertain(const QProcessEnvironment &environment, bool gpuDevicePresent);

// Call before the application object. Where the scene is certain to be drawn in software,
// nothing of this process draws with OpenGL, yet the X platform would still load the window
// system's OpenGL for the first window (Mesa's software rasterizer and LLVM, about 50 MiB
// resident): it is then told not to, unless the user chose its OpenGL integration.
void leaveOpenGLUnloaded();

// Applies the choice for this process. Call after the application object is made and before
// the first view; true when the software adaptation was chosen.
bool chooseSceneBackend();
