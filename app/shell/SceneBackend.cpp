// SPDX-License-Identifier: GPL-3.0-or-later
#include "SceneBackend.h"

#include <QDir>
#include <QFileInfo>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace {

// A render node (Mesa, every kernel GPU driver) or NVIDIA's own driver. Without either, the
// only OpenGL the system can offer rasterizes on the CPU.
bool gpuDevicePresent()
{
#ifdef Q_OS_LINUX
    return !QDir(QStringLiteral("/dev/dri")).entryList(QDir::System | QDir::NoDotAndDotDot).isEmpty()
        || QFileInfo::exists(QStringLiteral("/dev/nvidiactl"));
#else
    return true;
#endif
}

QByteArray probeOpenGLRenderer()
{
    QOpenGLContext context;
    if (!context.create())
        return QByteArray();
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface))
        return QByteArray();
    const auto *renderer = reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
    const QByteArray name(renderer ? renderer : "");
    context.doneCurrent();
    return name;
}

} // namespace

bool isSoftwareRasterizer(const QByteArray &renderer)
{
    const QByteArray name = renderer.toLower();
    return name.contains("llvmpipe") || name.contains("softpipe") || name.contains("swrast")
        || name.contains("software rasterizer");
}

namespace {

bool userNamesBackend(const QProcessEnvironment &environment)
{
    return !environment.value(QStringLiteral("QT_QUICK_BACKEND")).isEmpty()
        || !environment.value(QStringLiteral("QMLSCENE_DEVICE")).isEmpty();
}

} // namespace

bool softwareSceneCertain(const QProcessEnvironment &environment, bool gpuDevicePresent)
{
    return !userNamesBackend(environment) && !gpuDevicePresent;
}

bool wantsSoftwareScene(const QProcessEnvironment &environment, bool gpuDevicePresent,
                        const std::function<QByteArray()> &openGLRenderer)
{
    if (userNamesBackend(environment))
        return false;
    if (!gpuDevicePresent)
        return true;
    const QByteArray renderer = openGLRenderer();
    // No OpenGL at all: the software adaptation is the one renderer that can draw.
    return renderer.isEmpty() || isSoftwareRasterizer(renderer);
}

void leaveOpenGLUnloaded()
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.contains(QStringLiteral("QT_XCB_GL_INTEGRATION"))
        || !softwareSceneCertain(environment, gpuDevicePresent()))
        return;
    // The platform reads it when it first looks for OpenGL, after the window exists, so it
    // stays set. This program starts no other programs that would inherit it.
    qputenv("QT_XCB_GL_INTEGRATION", "none");
}

bool chooseSceneBackend()
{
    if (!wantsSoftwareScene(QProcessEnvironment::systemEnvironment(), gpuDevicePresent(), probeOpenGLRenderer))
        return false;
    QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    return true;
}
