// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewComposer.h"

#include "SkinCatalogue.h"

#include <QFont>
#include <QPainter>

namespace {

struct KeyPlace {
    int x;
    int y;
    int type;
};

// The visible keys of the keyboard model: top-left corner inside the model and key type.
const KeyPlace keyPlaces[] = {
    {0, 0, 1}, {53, 0, 1}, {84, 0, 1}, {115, 0, 1}, {146, 0, 1}, {198, 0, 1}, {229, 0, 1}, {260, 0, 1},
    {291, 0, 1}, {336, 0, 1}, {367, 0, 1}, {398, 0, 1}, {429, 0, 1}, {469, 0, 1}, {500, 0, 1}, {531, 0, 1},
    {0, 39, 1}, {31, 39, 1}, {62, 39, 1}, {93, 39, 1}, {124, 39, 1}, {155, 39, 1}, {186, 39, 1}, {217, 39, 1},
    {248, 39, 1}, {279, 39, 1}, {310, 39, 1}, {341, 39, 1}, {372, 39, 1}, {403, 39, 9}, {469, 39, 1},
    {500, 39, 1}, {531, 39, 1}, {571, 39, 1}, {602, 39, 1}, {633, 39, 1}, {664, 39, 1},
    {0, 70, 2}, {41, 70, 1}, {72, 70, 1}, {103, 70, 1}, {134, 70, 1}, {165, 70, 1}, {196, 70, 1}, {227, 70, 1},
    {258, 70, 1}, {289, 70, 1}, {320, 70, 1}, {351, 70, 1}, {382, 70, 1}, {413, 70, 12}, {469, 70, 1},
    {500, 70, 1}, {531, 70, 1}, {571, 70, 1}, {602, 70, 1}, {633, 70, 1}, {664, 70, 11},
    {0, 101, 3}, {50, 101, 1}, {81, 101, 1}, {112, 101, 1}, {143, 101, 1}, {174, 101, 1}, {205, 101, 1},
    {236, 101, 1}, {267, 101, 1}, {298, 101, 1}, {329, 101, 1}, {360, 101, 1}, {391, 101, 81}, {571, 101, 1},
    {602, 101, 1}, {633, 101, 1},
    {0, 132, 4}, {66, 132, 1}, {97, 132, 1}, {128, 132, 1}, {159, 132, 1}, {190, 132, 1}, {221, 132, 1},
    {252, 132, 1}, {283, 132, 1}, {314, 132, 1}, {345, 132, 1}, {376, 132, 7}, {500, 132, 1}, {571, 132, 1},
    {602, 132, 1}, {633, 132, 1}, {664, 132, 11},
    {0, 163, 5}, {38, 163, 5}, {76, 163, 5}, {114, 163, 6}, {308, 163, 5}, {346, 163, 5}, {384, 163, 5},
    {422, 163, 5}, {469, 163, 1}, {500, 163, 1}, {531, 163, 1}, {571, 163, 10}, {633, 163, 1},
};

QFont boldFont(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

} // namespace

PreviewComposer::PreviewComposer(const QString &skinFolder)
    : m_folder(skinFolder)
{
}

QImage PreviewComposer::picture(const QString &path) const
{
    return QImage(m_folder + QLatin1Char('/') + path);
}

QImage PreviewComposer::mainScreen() const
{
    QImage screen(1000, 600, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::black);
    QPainter p(&screen);
    const QColor highlight(0x00, 0xff, 0xff);
    const QColor normal(0xaa, 0xaa, 0xaa);
    const auto centredOn = [&](const QString &path, int cx, int cy) {
        const QImage image = picture(path);
        p.drawImage(cx - image.width() / 2, cy - image.height() / 2, image);
    };

    p.drawImage(QRect(0, 0, 1000, 600), picture(QStringLiteral("background.png")));
    p.drawImage(0, 0, picture(QStringLiteral("frame/frameBackground.png")));
    centredOn(QStringLiteral("frame/decoration1.png"), 78, 93);
    centredOn(QStringLiteral("frame/decoration2.png"), 923, 93);

    const QImage topBar = picture(QStringLiteral("list_up/listUpContainer.png"));
    p.drawImage(0, 0, topBar);
    p.drawImage(4, 1, picture(QStringLiteral("list_up/applicationSetting_0.png")));
    p.drawImage(1000 - 26, 1, picture(QStringLiteral("list_up/applicationMinimize_1.png")));
    const QImage logo = picture(QStringLiteral("frame/web_0.png"));
    p.drawImage((1000 - logo.width()) / 2, 4, logo);

    const QImage bottomBar = picture(QStringLiteral("list_dn/listDnContainer.png"));
    const QPoint bottom((1000 - bottomBar.width()) / 2, 600 - bottomBar.height());
    p.drawImage(bottom, bottomBar);
    p.drawImage(bottom + QPoint(323, 13), picture(QStringLiteral("list_dn/iconKB_1.png")));

    static const char *const icons[] = {"fnKeydefine", "fnMacro", "fnColor"};
    static const char *const names[] = {"KEY", "MACRO", "COLOR"};
    for (int entry = 0; entry < 3; ++entry) {
        const bool current = entry == 2;
        const int y = 180 + entry * 50;
        p.drawImage(8, y, picture(QStringLiteral("list_fn/listFnBtn_%1.png").arg(current ? 1 : 0)));
        const QImage icon = picture(QStringLiteral("list_fn/%1_%2.png").arg(QLatin1String(icons[entry])).arg(current ? 1 : 0));
        p.drawImage(18, y + (37 - icon.height()) / 2, icon);
        p.setFont(boldFont(11));
        p.setPen(current ? highlight : normal);
        p.drawText(QRect(18 + icon.width() + 15, y, 100, 37), Qt::AlignVCenter, QLatin1String(names[entry]));
    }

    const QImage profiles = picture(QStringLiteral("list_pf/listPfContainer.png"));
    const QPoint menu(1000 - 8 - profiles.width(), 95);
    p.drawImage(menu, profiles);
    for (int entry = 0; entry < 10; ++entry) {
        const QImage marker = picture(QStringLiteral("list_pf/profileFW_%1.png").arg(entry == 0 ? 1 : 0));
        const QPoint at = menu + QPoint(23, 97 + entry * 26);
        p.drawImage(at + QPoint(0, (26 - marker.height()) / 2), marker);
        p.setPen(entry == 0 ? highlight : normal);
        p.drawText(QRect(at.x() + marker.width() + 2, at.y(), 40, 26), Qt::AlignVCenter,
                   QStringLiteral("P%1").arg(entry + 1, 2, 10, QLatin1Char('0')));
    }

    // The lighting page in the page area.
    const QPoint page(171, 96);
    p.drawImage(page, picture(QStringLiteral("list_center/fnColorBackground.png")));
    const QImage row = picture(QStringLiteral("common/slider_BASE.png"));
    p.fillRect(QRect(page + QPoint(140, 15), row.size()), Qt::black);
    p.fillRect(QRect(page + QPoint(140 + row.width() + 20, 15), row.size()), Qt::black);
    p.setPen(normal);
    p.drawText(QRect(page + QPoint(150, 15), row.size()), Qt::AlignVCenter, QStringLiteral("EFFECTS"));
    p.drawText(QRect(page + QPoint(150 + row.width() + 20, 15), row.size()), Qt::AlignVCenter, QStringLiteral("RIPPLE"));
    const QPoint model = page + QPoint(23, 97);
    int index = 0;
    for (const KeyPlace &key : keyPlaces) {
        const QImage cap = picture(QStringLiteral("model_kb/k%1-0.png").arg(key.type));
        p.drawImage(model + QPoint(key.x, key.y), cap);
        const QRect area(model + QPoint(key.x, key.y), cap.size());
        p.setFont(boldFont(11));
        p.setPen(QColor(255, 0, 0, (index * 37) % 256));
        p.drawText(area, Qt::AlignCenter, QString::number(index % 10));
        if (index % 23 == 5)
            p.drawImage(area.topLeft(), picture(QStringLiteral("model_kb/k%1-1.png").arg(key.type)));
        ++index;
    }
    for (int swatch = 0; swatch < 7; ++swatch) {
        const QPoint at = page + QPoint(140 + swatch * 21, 340);
        p.drawImage(at, picture(QStringLiteral("common/draw_paletteIndex.png")));
        p.fillRect(QRect(at + QPoint(2, 8), QSize(15, 15)), QColor((255 * (6 - swatch) + 3) / 6, 0, 0));
        if (swatch == 0)
            p.fillRect(QRect(at, QSize(19, 3)), highlight);
    }
    const QImage palette = picture(QStringLiteral("common/draw_palette.png"));
    p.drawImage(page + QPoint(140, 385), palette);
    QLinearGradient red(page + QPoint(143, 0), page + QPoint(239, 0));
    red.setColorAt(0, Qt::black);
    red.setColorAt(0.5, Qt::red);
    red.setColorAt(1, Qt::black);
    p.fillRect(QRect(page + QPoint(143, 388), QSize(96, palette.height() - 6)), red);
    p.drawImage(page + QPoint(160, 408), picture(QStringLiteral("common/draw_inputValue.png")));
    p.fillRect(QRect(page + QPoint(211, 415), QSize(39, 6)), Qt::red);
    for (const auto &[title, y, level] : {std::tuple{"SPEED", 340, 4}, {"BRIGHTNESS", 385, 7}}) {
        p.setPen(highlight);
        p.drawText(page + QPoint(360, y + 10), QLatin1String(title));
        const QPoint base = page + QPoint(360, y + 14);
        p.drawImage(base, row);
        for (int segment = 0; segment < 7; ++segment)
            p.drawImage(base + QPoint(5 + segment * 20, 1),
                        picture(QStringLiteral("common/slider_FILLER_%1.png").arg(segment < level ? 1 : 0)));
    }
    p.setPen(highlight);
    p.drawText(page + QPoint(540, 350), QStringLiteral("DIRECTION"));
    const QPoint wheel = page + QPoint(535, 362);
    for (const auto &[cx, cy, lit] : {std::tuple{20, 20, 0}, {40, 20, 1}, {0, 20, 0}, {20, 0, 0}, {20, 40, 0}})
        p.drawImage(wheel + QPoint(cx, cy), picture(QStringLiteral("common/slider_FILLER_%1.png").arg(lit)));
    const QPoint tray = page + QPoint(295, 400);
    p.drawImage(tray, picture(QStringLiteral("common/fram_2btn.png")));
    p.drawImage(tray + QPoint(3, 3), picture(QStringLiteral("common/reset_0.png")));
    p.drawImage(tray + QPoint(32, 3), picture(QStringLiteral("common/apply_1.png")));
    return screen;
}

QImage PreviewComposer::pages() const
{
    QImage sheet(340 + 740 * 2 + 40, 460, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::black);
    QPainter p(&sheet);
    p.drawImage(QRect(0, 0, sheet.width(), sheet.height()), picture(QStringLiteral("background.png")));
    p.drawImage(10, 10, picture(QStringLiteral("list_center/globalsettingBackground.png")));
    const QPoint settings(10, 10);
    for (int row = 0; row < 4; ++row) {
        const QPoint at = settings + QPoint(139, 45 + row * 33);
        p.fillRect(QRect(at, QSize(151, 23)), Qt::black);
    }
    p.setPen(QColor(0xaa, 0xaa, 0xaa));
    p.drawRect(QRect(settings + QPoint(27, 190), QSize(270, 176)));
    p.drawImage(settings + QPoint(45, 215), picture(QStringLiteral("common/checkbox_1.png")));
    p.drawImage(settings + QPoint(125, 215), picture(QStringLiteral("common/checkbox_0.png")));
    p.drawImage(settings + QPoint(235, 372), picture(QStringLiteral("common/fram_2btn.png")));
    p.drawImage(settings + QPoint(238, 375), picture(QStringLiteral("common/reset_1.png")));
    p.drawImage(settings + QPoint(267, 375), picture(QStringLiteral("common/apply_0.png")));
    p.drawImage(settings + QPoint(139, 70), picture(QStringLiteral("common/filelist_BASE.png")));
    for (int line = 1; line < 9; ++line)
        p.drawImage(settings + QPoint(139, 70 + line * 19), picture(QStringLiteral("common/draw_line.png")));

    const QPoint keys(360, 10);
    p.drawImage(keys, picture(QStringLiteral("list_center/fnKeydefineBackground.png")));
    for (const KeyPlace &key : keyPlaces)
        p.drawImage(keys + QPoint(23 + key.x, 97 + key.y), picture(QStringLiteral("model_kb/k%1-0.png").arg(key.type)));
    p.drawImage(keys + QPoint(23, 97), picture(QStringLiteral("model_kb/k1-1.png")));
    p.drawImage(keys + QPoint(55, 305), picture(QStringLiteral("common/checkbox_1.png")));
    p.drawImage(keys + QPoint(560, 15), picture(QStringLiteral("common/fram_2btn.png")));
    p.drawImage(keys + QPoint(563, 18), picture(QStringLiteral("common/reset_0.png")));
    p.drawImage(keys + QPoint(592, 18), picture(QStringLiteral("common/apply_0.png")));

    const QPoint macro(360 + 740 + 20, 10 + 46);
    p.drawImage(macro, picture(QStringLiteral("list_center/fnMacroBackground.png")));
    for (const auto &[x, w] : {std::pair{119, 141}, {468, 250}}) {
        p.fillRect(QRect(macro + QPoint(x, 55), QSize(w, 219)), QColor(0, 0, 0, 0x80));
        p.fillRect(QRect(macro + QPoint(x, 55), QSize(w, 21)), QColor(0, 0, 0, 0x80));
    }
    p.drawImage(macro + QPoint(468 + 250 - 42, 56), picture(QStringLiteral("common/record_1.png")));
    p.drawImage(macro + QPoint(468 + 250 - 21, 56), picture(QStringLiteral("common/stop_0.png")));
    static const char *const tools[] = {"solid-delete", "solid-cut", "solid-paste", "solid-copy"};
    for (int tool = 0; tool < 4; ++tool)
        p.drawImage(macro + QPoint(446, 77 + 3 + tool * 31),
                    picture(QStringLiteral("common/%1_%2.png").arg(QLatin1String(tools[tool])).arg(tool == 1 ? 1 : 0)));
    p.fillRect(QRect(macro + QPoint(290, 205), QSize(151, 23)), Qt::black);
    p.drawImage(macro + QPoint(446, 205), picture(QStringLiteral("common/add_0.png")));
    p.drawImage(macro + QPoint(330, 235), picture(QStringLiteral("common/draw_inputValue.png")));
    p.drawImage(macro + QPoint(446, 233), picture(QStringLiteral("common/add_1.png")));
    return sheet;
}

QImage PreviewComposer::contactSheet() const
{
    const int scale = 2;
    const int width = 1200;
    QImage sheet(width, 3000, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x30, 0x30, 0x30));
    QPainter p(&sheet);
    p.setFont(boldFont(9));
    int x = 10, y = 10, rowHeight = 0;
    for (const SkinCatalogue::Picture &entry : SkinCatalogue::pictures) {
        if (entry.width > 300)
            continue;
        const QString path = QLatin1String(entry.path);
        const QImage image = picture(path);
        const QSize size = image.size() * (entry.height > 100 ? 1 : scale);
        if (x + size.width() + 10 > width) {
            x = 10;
            y += rowHeight + 22;
            rowHeight = 0;
        }
        p.fillRect(QRect(QPoint(x, y), size), QColor(0x10, 0x10, 0x10));
        p.drawImage(QRect(QPoint(x, y), size), image);
        p.setPen(QColor(0xcc, 0xcc, 0xcc));
        p.drawText(QPoint(x, y + size.height() + 11), path.section(QLatin1Char('/'), -1));
        x += qMax(size.width(), 130) + 12;
        rowHeight = qMax(rowHeight, size.height());
    }
    return sheet.copy(0, 0, width, y + rowHeight + 26);
}
