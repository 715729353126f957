// Pictures of the whole window (the guide's pages) are let go once the guide closes, and
// the window's background is drawn from its vector picture, not kept as a pixmap.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "shell/UserGuide.h"
#include "widgets/Picture.h"
#include "widgets/PixmapCache.h"

using namespace velmora;

TEST(PictureCacheTest, TheGuidesPagesAreLetGoWhenItCloses) {
    QWidget window;
    window.resize(960, 540);
    auto* guide = new UserGuide(&window);
    guide->setGeometry(window.rect());
    window.show();
    guide->show();
    const qint64 before = ui::cachedSvgBytes();
    guide->grab();  // paints the first page
    EXPECT_GE(ui::cachedSvgBytes() - before, qint64(960) * 540 * 4);
    guide->hide();
    EXPECT_EQ(ui::cachedSvgBytes(), before);
}

TEST(PictureCacheTest, TheBackgroundIsDrawnWithoutAPixmap) {
    QWidget content;
    content.resize(960, 540);
    ui::Picture background(&content, QStringLiteral("Background"),
                           QStringLiteral(":/img/background.svg"));
    background.setGeometry(content.rect());
    QImage image(960, 540, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const qint64 before = ui::cachedSvgBytes();
    {
        QPainter painter(&image);
        background.paintAt(painter);
    }
    EXPECT_EQ(ui::cachedSvgBytes(), before);
    EXPECT_EQ(qAlpha(image.pixel(480, 300)), 255) << "the picture was drawn";
}
