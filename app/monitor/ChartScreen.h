#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>
#include <optional>

#include "chart/ChartData.h"

class QChartView;
class QLineSeries;

namespace velmora {

class ChartPlot;
struct ChartKind;

// The chart screen (M3Chart): charging voltage above, charging current below, both
// against time. Owns every point plotted since the last emptying and the clock of the
// next point. The charts themselves are made when the screen is first shown (or asked
// for): until then the points are only stored, and a window that never shows its charts
// does not carry them.
class ChartScreen : public QWidget {
    Q_OBJECT
public:
    explicit ChartScreen(QWidget* main);
    ~ChartScreen() override;

    // Null until the charts are made (buildCharts).
    QChartView* ChartVoltage = nullptr;
    QChartView* ChartCurrent = nullptr;
    QLineSeries* Series1 = nullptr;  // what ChartVoltage draws of the stored points
    QLineSeries* Series2 = nullptr;  // what ChartCurrent draws

    // Makes the two charts showing the stored points, once; showing the screen does it.
    void buildCharts();
    bool chartsBuilt() const { return ChartVoltage != nullptr; }

    // The stage in the first line of both chart titles: "Tahap 2" in the window's words,
    // while receipts print "Stage 2" (stageTitle) whatever the window speaks.
    void setStageTitle(int chartStage);
    QString stageTitle() const;
    QString shownStageTitle() const;
    // Empties both charts (their stored points too); the clock goes on.
    void clearSeries();
    // The charger's stage in the titles; a new charge (stage 0) empties the charts.
    void showStage(int stageNumber);

    // The chart step of a refresh tick: the charger's history when complete, then the live
    // point in the charging stages; the charts redraw once for all new points. Returns the
    // error text of a history item that is not a number.
    std::optional<QString> chartStep(LiveChargerState& state, const NumberFormat& format,
                                     bool livePoint = true);

    // Exchanges every stored point and the clock with `other` (another charger's charts)
    // and redraws; the stage of the titles is the caller's.
    void swapData(ChartData& other);
    // Every stored point of both charts (not only what is drawn) and the clock.
    const ChartData& data() const { return m_data; }
    // The charge's time (days since its start) where the next point may go.
    double chartClock() const { return m_data.clock.days(); }

    // A picture of the voltage or current chart exactly `size` large: a chart of that size
    // with the same look, title, axes and points, laid out for it (not a shrunk copy). The
    // charts on the screen stay as they are, and need not have been made. A null image for
    // an empty size.
    QImage renderForPrint(const ChartKind& kind, const QSize& size) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QChartView* makeView(const QString& name, ChartPlot* plot);
    void redraw();

    ChartData m_data;
    int m_stage = 1;  // of the titles
    ChartPlot* m_voltagePlot = nullptr;
    ChartPlot* m_currentPlot = nullptr;
};

}  // namespace velmora
