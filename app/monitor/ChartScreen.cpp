#include "monitor/ChartScreen.h"

#include <utility>

#include <QChart>
#include <QChartView>
#include <QLineSeries>

#include "monitor/ChartPlot.h"
#include "monitor/StageTable.h"

namespace velmora {

namespace {
constexpr int kChartWidth = 960, kChartHeight = 240;
}  // namespace

ChartScreen::ChartScreen(QWidget* main) : QWidget(main) {
    setObjectName(QStringLiteral("M3Chart"));
    setGeometry(0, 0, main->width(), main->height());
}

void ChartScreen::buildCharts() {
    if (chartsBuilt()) return;
    Series1 = new QLineSeries(this);
    Series1->setObjectName(QStringLiteral("Series1"));
    Series2 = new QLineSeries(this);
    Series2->setObjectName(QStringLiteral("Series2"));
    m_voltagePlot = new ChartPlot(kVoltageKind, Series1, m_data.voltage, m_data.clock, this);
    m_currentPlot = new ChartPlot(kCurrentKind, Series2, m_data.current, m_data.clock, this);
    ChartVoltage = makeView(QStringLiteral("ChartVoltage"), m_voltagePlot);
    ChartCurrent = makeView(QStringLiteral("ChartCurrent"), m_currentPlot);
    // Two 240-high charts on a 478-high screen: the lower one loses its last white rows.
    ChartVoltage->setGeometry(0, 0, kChartWidth, kChartHeight);
    ChartCurrent->setGeometry(0, kChartHeight, kChartWidth, kChartHeight);
    ChartVoltage->chart()->setTitle(shownStageTitle());
    ChartCurrent->chart()->setTitle(shownStageTitle());
    // Made while the screen shows: children made after their parent was shown stay hidden.
    ChartVoltage->show();
    ChartCurrent->show();
    redraw();
}

void ChartScreen::showEvent(QShowEvent* event) {
    buildCharts();  // before the screen's first frame
    QWidget::showEvent(event);
}

ChartScreen::~ChartScreen() = default;

QChartView* ChartScreen::makeView(const QString& name, ChartPlot* plot) {
    auto* view = new QChartView(plot->chart(), this);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    view->setBackgroundBrush(Qt::white);
    return view;
}

void ChartScreen::setStageTitle(int chartStage) {
    if (m_stage == chartStage) return;  // set every tick; repaint only on change
    m_stage = chartStage;
    if (!chartsBuilt()) return;
    ChartVoltage->chart()->setTitle(shownStageTitle());
    ChartCurrent->chart()->setTitle(shownStageTitle());
}

QString ChartScreen::stageTitle() const {
    return QStringLiteral("Stage %1").arg(m_stage);  // as receipts print it
}

QString ChartScreen::shownStageTitle() const {
    return tr("Tahap %1").arg(m_stage);
}

void ChartScreen::clearSeries() {
    if (m_data.voltage.empty() && m_data.current.empty() &&
        (!chartsBuilt() || (!Series1->count() && !Series2->count())))
        return;  // emptied every tick of stage 1: nothing to redraw
    m_data.clear();
    redraw();
}

void ChartScreen::swapData(ChartData& other) {
    std::swap(m_data, other);
    if (!chartsBuilt()) return;
    m_voltagePlot->forgetShown();
    m_currentPlot->forgetShown();
    redraw();
}

std::optional<QString> ChartScreen::chartStep(LiveChargerState& state, const NumberFormat& format,
                                              bool livePoint) {
    const auto error = velmora::chartStep(state, format, m_data, livePoint);
    redraw();  // the points before a bad history item are shown too
    if (error) return QString::fromStdString(*error);
    return std::nullopt;
}

void ChartScreen::redraw() {
    if (!chartsBuilt()) return;
    m_voltagePlot->refresh();
    m_currentPlot->refresh();
}

QImage ChartScreen::renderForPrint(const ChartKind& kind, const QSize& size) const {
    const bool voltage = &kind == &kVoltageKind;
    return renderChart(kind, voltage ? m_data.voltage : m_data.current, m_data.clock, stageTitle(),
                       size);
}

void ChartScreen::showStage(int stageNumber) {
    const StageView view = stageView(stageNumber);
    if (!view.known) return;
    setStageTitle(view.chartStage);
    if (view.clearCharts) clearSeries();
}

}  // namespace velmora
