// The battery box on the dial: every brand, variety title and type name of the catalogue
// is shown in full, at a readable size, on the dial's plain background, clear of its
// scales, numerals, needles and rim.
#include <QImage>
#include <QPainter>

#include "monitor/DashboardScreen.h"
#include "monitor/GaugeWidget.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

// Brighter than any shade of the dial's plain disc: scale marks, numerals, bands, rim,
// needles and arcs all are.
bool drawnOn(QRgb pixel) {
    constexpr int kPlainDisc = 0x48;
    return qAlpha(pixel) > 0 && std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) >= kPlainDisc;
}

class BatteryLabelsTest : public WindowTest {
protected:
    // The gauge alone, needles at full deflection and the arc full, so everything that
    // can ever be drawn near the box is.
    QImage dial() {
        GaugeWidget* gauge = m_window->dashboard()->RCircle;
        gauge->setNeedleLeftAngle(70);
        gauge->setNeedleRightAngle(-70);
        gauge->setArcSweep(240);
        QImage image(gauge->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        gauge->paintGauge(painter, QRectF(image.rect()));
        return image;
    }
    // Where the label draws this text, in the gauge's coordinates.
    QRect textRect(QLabel* label, const QString& text) {
        const QRect inLabel =
            label->fontMetrics().boundingRect(label->contentsRect(), label->alignment(), text);
        const QPoint origin = label->mapTo(m_window->dashboard(), inLabel.topLeft()) -
                              m_window->dashboard()->RCircle->pos();
        return QRect(origin, inLabel.size());
    }
    static QStringList names(const std::vector<std::string>& list) {
        QStringList out{QStringLiteral("-")};  // shown before anything is chosen
        for (const std::string& name : list) out << QString::fromStdString(name);
        return out;
    }
};

TEST_F(BatteryLabelsTest, EveryCatalogueNameIsShownInFullClearOfTheScales) {
    const Dataaki& catalogue = m_window->catalogue();
    std::vector<std::string> types, titles;
    for (const auto& list : catalogue.typeLists())
        for (const TypeRow& row : list) types.push_back(row.name);
    for (int v = 0; v < static_cast<int>(catalogue.varietyList().size()); ++v)
        titles.push_back(catalogue.varietyTitle(v));
    ASSERT_EQ(types.size(), 58u);

    const QImage image = dial();
    DashboardScreen* dashboard = m_window->dashboard();
    const struct {
        QLabel* label;
        QStringList texts;
        int minimumSize;
    } rows[] = {{dashboard->LBatterySeries, names(types), 16},
                {dashboard->LBatteryBrand, names(catalogue.brands()), 12},
                {dashboard->LBatteryType, names(titles), 12}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label->objectName().toStdString());
        EXPECT_GE(row.label->font().pixelSize(), row.minimumSize) << "too small to read";
        const QFontMetrics metrics = row.label->fontMetrics();
        for (const QString& text : row.texts) {
            SCOPED_TRACE(text.toStdString());
            row.label->setText(text);
            EXPECT_LE(metrics.horizontalAdvance(text), row.label->contentsRect().width())
                << "cut off";
            EXPECT_LE(metrics.height(), row.label->contentsRect().height()) << "cut off";
            const QRect area = textRect(row.label, text).adjusted(-1, -1, 1, 1);
            ASSERT_TRUE(image.rect().contains(area));
            int marks = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    marks += drawnOn(image.pixel(x, y));
            EXPECT_EQ(marks, 0) << "the text lies over the dial's drawing at " << area.x() << ","
                                << area.y() << " " << area.width() << "x" << area.height();
        }
    }
    // The three lines do not run into each other either.
    const QRect series = dashboard->LBatterySeries->geometry();
    const QRect brand = dashboard->LBatteryBrand->geometry();
    const QRect variety = dashboard->LBatteryType->geometry();
    EXPECT_FALSE(series.intersects(brand));
    EXPECT_FALSE(series.intersects(variety));
    EXPECT_FALSE(brand.intersects(variety));
}

}  // namespace
