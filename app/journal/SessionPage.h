#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "chart/ChartData.h"
#include "journal/SessionTypes.h"
#include "link/NumberText.h"
#include "widgets/Picture.h"

class QChartView;
class QLabel;
class QLineSeries;

namespace velmora {

class ChartPlot;
struct ChartKind;

// A button of the history panel's bottom row.
ui::TextButton* footerButton(QWidget* parent, const char* name, const QString& text,
                             const QColor& fill, int x, int width);

// One kept session in the history dialog: what it was, its results and its two charts
// with the chart screen's look, and what can be done with it. Its charts are its own: the
// chart screen's live charts are never touched.
class SessionPage : public QWidget {
    Q_OBJECT
public:
    explicit SessionPage(QWidget* parent);
    ~SessionPage() override;

    void showSession(const journal::Session& session, bool recording, const NumberFormat& format,
                     const QString& dateSeparator);
    const std::optional<journal::SessionSummary>& shown() const { return m_shown; }
    const ChartData& data() const { return m_data; }
    // A picture of one of the page's charts laid out for `size`, titled as the chart screen
    // titles the stage the session ended in: what its receipt prints.
    QImage renderForPrint(const ChartKind& kind, const QSize& size) const;

    ui::PictureButton* BackSesi;
    QLabel* LSesiTitle;
    QLabel* LSesiProfile;
    QLabel* LSesiBefore;
    QLabel* LSesiAfter;
    QLabel* LSesiTest;
    QLabel* LSesiAkhir;
    QChartView* ChartSesiVoltage;
    QChartView* ChartSesiCurrent;
    ui::TextButton* RSesiHapus;
    ui::TextButton* RSesiCsv;
    ui::TextButton* RSesiPdf;
    ui::TextButton* RSesiCetak;

private:
    QChartView* makeChart(const QString& name, ChartPlot* plot, const QString& title);

    ChartData m_data;
    ChartPlot* m_voltagePlot;
    ChartPlot* m_currentPlot;
    std::optional<journal::SessionSummary> m_shown;
    int m_lastStage = 0;
};

}  // namespace velmora
