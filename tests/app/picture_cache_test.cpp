// Pictures of the whole window (the guide's pages, the charger guide) are read when shown
// and let go once hidden, and the window's background is drawn from its vector picture,
// not kept as a pixmap.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "shell/OptionScreen.h"
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
    EXPECT_FALSE(ui::svgLoaded(QStringLiteral(":/img/intro1.svg")));
}

TEST(PictureCacheTest, TheChargerGuideIsReadWhenShownAndLetGoWhenHidden) {
    const QString path = QStringLiteral(":/img/guide_charger.svg");
    const QSize natural = QSvgRenderer(path).defaultSize();
    ASSERT_FALSE(natural.isEmpty());
    QWidget window;
    auto* guide = new GuidePicture(&window, QStringLiteral("Guide"), path);
    guide->hide();
    window.show();
    guide->setPictureScale(2.0);  // zoomed while hidden
    EXPECT_FALSE(ui::svgLoaded(path));

    guide->show();
    EXPECT_TRUE(ui::svgLoaded(path));
    auto* image = guide->findChild<QWidget*>(QStringLiteral("GuideImage"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), natural * 2);
    guide->setPictureScale(0.5);
    EXPECT_EQ(image->size(), natural / 2);

    guide->hide();
    EXPECT_FALSE(ui::svgLoaded(path));
    guide->show();  // read again, at the scale it had
    EXPECT_EQ(image->size(), natural / 2);
    EXPECT_FALSE(image->grab().isNull());
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
