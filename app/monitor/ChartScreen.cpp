#include "monitor/ChartScreen.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kChartHeight = 239;
const QString kVoltageCaption = QStringLiteral("Tegangan ( V )");
const QString kCurrentCaption = QStringLiteral("Arus ( A )");
}  // namespace

ChartScreen::ChartScreen(QWidget* main) : QWidget(main) {
    setObjectName(QStringLiteral("M3Chart"));
    setGeometry(0, 0, main->width(), main->height());
    Series1 = new QLineSeries(this);
    Series1->setObjectName(QStringLiteral("Series1"));
    Series2 = new QLineSeries(this);
    Series2->setObjectName(QStringLiteral("Series2"));
    ChartVoltage = makeChart(QStringLiteral("ChartVoltage"), Series1, kVoltageCaption, 10, 15, 6);
    ChartCurrent = makeChart(QStringLiteral("ChartCurrent"), Series2, kCurrentCaption, 0, 20, 6);
    ChartVoltage->setGeometry(0, 0, width(), kChartHeight);
    ChartCurrent->setGeometry(0, kChartHeight, width(), kChartHeight);
    setStageTitle(QStringLiteral("Stage 1"));
}

QChartView* ChartScreen::makeChart(const QString& name, QLineSeries* series,
                                   const QString& unitCaption, double minimum, double maximum,
                                   int ticks) {
    auto* chart = new QChart;
    chart->setObjectName(name + QStringLiteral("Chart"));
    chart->legend()->hide();
    chart->setBackgroundBrush(Qt::white);
    chart->setMargins(QMargins(1, 1, 1, 1));
    chart->setBackgroundRoundness(0);
    chart->setTitleFont(ui::roboto(15, QFont::Bold));
    chart->setTitleBrush(Qt::black);
    series->setPen(QPen(Qt::black, 1.5));
    chart->addSeries(series);

    auto* x = new QDateTimeAxis(chart);
    x->setFormat(QStringLiteral("h:mm"));
    x->setTitleText(QStringLiteral("Time"));
    x->setGridLineVisible(false);
    x->setLabelsFont(ui::roboto(11));
    x->setTitleFont(ui::roboto(12));
    const QDateTime origin(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    x->setRange(origin, origin.addSecs(600));
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);

    auto* y = new QValueAxis(chart);
    y->setRange(minimum, maximum);
    y->setTickCount(ticks);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(unitCaption);
    y->setLabelsFont(ui::roboto(11));
    y->setTitleFont(ui::roboto(12));
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);

    auto* view = new QChartView(chart, this);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    return view;
}

void ChartScreen::setStageTitle(const QString& firstLine) {
    if (stageTitle() == firstLine) return;  // set every tick; repaint only on change
    ChartVoltage->chart()->setTitle(firstLine);
    ChartCurrent->chart()->setTitle(firstLine);
}

QString ChartScreen::stageTitle() const {
    return ChartVoltage->chart()->title().section(QLatin1Char('\n'), 0, 0);
}

void ChartScreen::clearSeries() {
    if (Series1->count()) Series1->clear();
    if (Series2->count()) Series2->clear();
}

}  // namespace velmora
