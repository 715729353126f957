#pragma once

#include <QWidget>

class QChart;
class QChartView;
class QLineSeries;
class QDateTimeAxis;
class QValueAxis;

namespace velmora {

// The chart screen (M3Chart): charging voltage above, charging current below, both
// against time.
class ChartScreen : public QWidget {
    Q_OBJECT
public:
    explicit ChartScreen(QWidget* main);

    QChartView* ChartVoltage;
    QChartView* ChartCurrent;
    QLineSeries* Series1;
    QLineSeries* Series2;

    // The first line of both chart titles.
    void setStageTitle(const QString& firstLine);
    QString stageTitle() const;
    void clearSeries();

private:
    QChartView* makeChart(const QString& name, QLineSeries* series, const QString& unitCaption,
                          double minimum, double maximum, int ticks);
};

}  // namespace velmora
