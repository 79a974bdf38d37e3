// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the skin pictures and the busy picture into a source tree:
//   modules/img/skin1/..., modules/img/skin2/...   every picture of SkinCatalogue, per skin
//   app/qml/img/common/loading.png                 the busy picture, embedded by the scene
// The image folder is written afresh, so it holds exactly the catalogue's pictures.
// Regenerate with:
//   cmake --build <build> --target skin-art
// Look at the result with:
//   <build>/tools/skingen/skingen --preview <repository> /tmp
// which writes preview_skin<N>.png, pages_skin<N>.png and sheet_skin<N>.png there.
#include "PngStore.h"
#include "PreviewComposer.h"
#include "SkinCatalogue.h"
#include "SkinPainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

QString skinFolder(const QString &root, int skin)
{
    return QStringLiteral("%1/%2/skin%3").arg(root, QLatin1String(SkinCatalogue::skinRoot)).arg(skin);
}

int generate(const QString &root)
{
    QTextStream err(stderr);
    if (!QDir(root + QStringLiteral("/modules")).exists()) {
        err << "skingen: " << root << " has no modules folder\n";
        return 1;
    }
    QDir(root + QLatin1Char('/') + QLatin1String(SkinCatalogue::skinRoot)).removeRecursively();
    for (int skin = 1; skin <= SkinCatalogue::skinCount; ++skin) {
        const SkinPainter painter(SkinStyle::forSkin(skin));
        for (const SkinCatalogue::Picture &picture : SkinCatalogue::pictures) {
            const QString path = skinFolder(root, skin) + QLatin1Char('/') + QLatin1String(picture.path);
            if (!PngStore::write(painter.render(picture), path)) {
                err << "skingen: cannot write " << path << '\n';
                return 1;
            }
        }
    }
    const SkinCatalogue::Picture &busy = SkinCatalogue::busyPicture;
    const QString busyPath = root + QLatin1Char('/') + QLatin1String(SkinCatalogue::busyRoot) + QLatin1Char('/')
                             + QLatin1String(busy.path);
    if (!PngStore::write(SkinPainter(SkinStyle::forSkin(1)).render(busy), busyPath)) {
        err << "skingen: cannot write " << busyPath << '\n';
        return 1;
    }
    return 0;
}

int preview(const QString &root, const QString &outFolder)
{
    for (int skin = 1; skin <= SkinCatalogue::skinCount; ++skin) {
        const PreviewComposer composer(skinFolder(root, skin));
        const QString suffix = QStringLiteral("_skin%1.png").arg(skin);
        if (!composer.mainScreen().save(outFolder + QStringLiteral("/preview") + suffix)
            || !composer.pages().save(outFolder + QStringLiteral("/pages") + suffix)
            || !composer.contactSheet().save(outFolder + QStringLiteral("/sheet") + suffix)) {
            QTextStream(stderr) << "skingen: cannot write previews into " << outFolder << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs no display; the previews' labels need the GUI application's fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1)
        return generate(args.at(0));
    if (args.size() == 3 && args.at(0) == QLatin1String("--preview"))
        return preview(args.at(1), args.at(2));
    QTextStream(stderr) << "usage: skingen <repository>\n       skingen --preview <repository> <folder>\n";
    return 2;
}
