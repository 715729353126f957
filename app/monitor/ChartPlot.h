#pragma once

#include <QImage>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <vector>

#include "chart/AxisLayout.h"
#include "chart/ChartData.h"
#include "chart/PointSeries.h"

class QCategoryAxis;
class QChart;
class QLineSeries;
class QValueAxis;

namespace velmora {

// What sets the voltage chart and the current chart apart.
struct ChartKind {
    const char* caption;  // vertical axis, as the source text of its translation
    double minimum;
    double maximum;
    double step;
};
extern const ChartKind kVoltageKind;
extern const ChartKind kCurrentKind;

// One chart with the chart screen's look (white, bold black title, a plain black line over
// time, no legend), showing one stored point series. The time axis covers the whole charge
// with labels that thin themselves; the line holds only what the plot's pixel columns can
// show, so drawing costs the same after a minute or a day. Redraws when the points, the
// clock of an empty chart or the plot's size have changed.
class ChartPlot : public QObject {
    Q_OBJECT
public:
    // The chart takes `series` as its only line; `points` and `clock` must outlive the plot.
    ChartPlot(const ChartKind& kind, QLineSeries* series, const PointSeries& points,
              const ChartClock& clock, QObject* parent = nullptr);

    QChart* chart() const { return m_chart; }
    // The axis captions as receipts print them, in whatever language the window speaks.
    void useSourceCaptions();
    // The narrowest time axis; the live charts keep ten minutes.
    void setMinimumSpan(double days);
    void refresh();
    // Redraws at the next refresh whatever it drew before (its points were replaced whole).
    void forgetShown() { m_shownRevision = ~std::uint64_t{0}; }

private:
    void fitValueAxis(double plotHeight);
    void fitTimeAxis(const TimeSpan& span, double plotWidth);
    // The line of piece `index` (0 is the series the plot was given): a break starts one.
    QLineSeries* linePiece(std::size_t index);

    const ChartKind& m_kind;
    const PointSeries& m_points;
    const ChartClock& m_clock;
    QChart* m_chart;
    QLineSeries* m_series;
    std::vector<QLineSeries*> m_laterPieces;  // after each break of the line, made when needed
    QCategoryAxis* m_time;
    QValueAxis* m_value;
    double m_minimumSpanDays = kLiveMinimumSpanDays;

    // What the chart shows now, to skip redrawing the same.
    std::uint64_t m_shownRevision = ~std::uint64_t{0};
    TimeSpan m_shownSpan{};
    QSizeF m_shownPlot;
    std::vector<TimeLabel> m_shownLabels;
    std::vector<ChartPoint> m_drawn;
};

// A picture exactly `size` large of a chart with this look, title and points, laid out for
// that size (not a shrunk copy), in a scene of its own: no chart on screen is touched.
// A null image for an empty size.
QImage renderChart(const ChartKind& kind, const PointSeries& points, const ChartClock& clock,
                   const QString& title, const QSize& size,
                   double minimumSpanDays = kLiveMinimumSpanDays);

}  // namespace velmora
