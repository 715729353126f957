#include "monitor/ChartPlot.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>

#include "chart/Decimation.h"
#include "widgets/Theme.h"

namespace velmora {

const ChartKind kVoltageKind{QT_TRANSLATE_NOOP("velmora::ChartPlot", "Tegangan ( V )"), 10, 15, 1};
const ChartKind kCurrentKind{QT_TRANSLATE_NOOP("velmora::ChartPlot", "Arus ( A )"), 0, 20, 4};
const char* const kTimeCaption = QT_TRANSLATE_NOOP("velmora::ChartPlot", "Waktu");
// Receipts keep the caption they always printed, whatever the window speaks.
const char* const kPaperTimeCaption = "Time";

namespace {
constexpr int kTitleSize = 15, kLabelSize = 11, kCaptionSize = 12;
// How far beyond its axis a reading is drawn at most, in axis heights.
constexpr double kOffAxisSpans = 100;
// Plot width to assume before the chart has been laid out.
constexpr double kUnlaidWidth = 900;

QFont labelFont() {
    return ui::roboto(kLabelSize);
}

// Category labels must differ: a label that comes again (the same hour a day later) gets
// an invisible zero-width space more.
QString uniqueLabel(const std::string& text, const QStringList& taken) {
    QString label = QString::fromStdString(text);
    while (taken.contains(label)) label += QChar(0x200B);
    return label;
}
}  // namespace

ChartPlot::ChartPlot(const ChartKind& kind, QLineSeries* series, const PointSeries& points,
                     const ChartClock& clock, QObject* parent)
    : QObject(parent),
      m_kind(kind),
      m_points(points),
      m_clock(clock),
      m_chart(new QChart),
      m_series(series),
      m_time(new QCategoryAxis(m_chart)),
      m_value(new QValueAxis(m_chart)) {
    m_chart->legend()->hide();
    m_chart->setBackgroundBrush(Qt::white);
    m_chart->setBackgroundPen(Qt::NoPen);
    m_chart->setBackgroundRoundness(0);
    m_chart->setMargins(QMargins(1, 1, 1, 1));
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_chart->setTitleFont(ui::roboto(kTitleSize, QFont::Bold));
    m_chart->setTitleBrush(Qt::black);
    m_series->setPen(QPen(Qt::black, 1.5));
    m_series->setPointsVisible(false);
    m_chart->addSeries(m_series);

    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(m_time), static_cast<QAbstractAxis*>(m_value)}) {
        axis->setLabelsFont(labelFont());
        axis->setLabelsBrush(Qt::black);
        axis->setTitleFont(ui::roboto(kCaptionSize));
        axis->setTitleBrush(Qt::black);
        axis->setLinePen(QPen(Qt::black, 1));
        axis->setGridLinePen(QPen(QColor(0xDD, 0xDD, 0xDD), 1));
    }
    m_time->setTitleText(tr(kTimeCaption));
    m_time->setGridLineVisible(false);
    m_time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_chart->addAxis(m_time, Qt::AlignBottom);
    m_series->attachAxis(m_time);

    m_value->setTitleText(tr(kind.caption));
    m_value->setRange(kind.minimum, kind.maximum);
    m_value->setTickType(QValueAxis::TicksDynamic);
    m_value->setTickAnchor(kind.minimum);
    m_value->setTickInterval(kind.step);
    m_value->setLabelFormat(QStringLiteral("%d"));
    m_chart->addAxis(m_value, Qt::AlignLeft);
    m_series->attachAxis(m_value);

    connect(m_chart, &QChart::plotAreaChanged, this, &ChartPlot::refresh);
    refresh();
}

void ChartPlot::setMinimumSpan(double days) {
    m_minimumSpanDays = days;
    m_shownRevision = ~std::uint64_t{0};  // redraw on the next refresh
    refresh();
}

void ChartPlot::refresh() {
    QSizeF plot = m_chart->plotArea().size();
    if (plot.width() <= 0) plot = QSizeF(kUnlaidWidth, 0);
    // Every chart is on the charge's own time: the axis begins at its start, 0:00.
    const TimeSpan span =
        timeAxisSpan(m_points, m_clock.days(), plot.width(), m_minimumSpanDays, 0.0);
    if (m_points.revision() == m_shownRevision && span.first == m_shownSpan.first &&
        span.last == m_shownSpan.last && plot == m_shownPlot)
        return;
    m_shownRevision = m_points.revision();
    m_shownSpan = span;
    m_shownPlot = plot;

    // Moving an axis re-traces the whole line: emptied first, the line is traced once per
    // redraw instead of twice (the time axis moves on every tick of a charge).
    m_series->clear();
    for (QLineSeries* piece : m_laterPieces) piece->clear();
    fitValueAxis(plot.height());
    fitTimeAxis(span, plot.width());
    const double pixelRow =
        plot.height() > 0 ? (m_kind.maximum - m_kind.minimum) / plot.height() : 0.0;
    decimateMinMax(m_points, span.first, span.last, static_cast<int>(plot.width() + 0.5), pixelRow,
                   m_drawn);
    // Readings are kept as the charger sent them; one far outside the axis is drawn a hundred
    // axis heights beyond it: still off the plot, the line leaves it as steeply, and the
    // painter gets coordinates it handles (at 1e298 V it filled the whole plot black).
    const double band = kOffAxisSpans * (m_kind.maximum - m_kind.minimum);
    const double low = m_kind.minimum - band, high = m_kind.maximum + band;
    // The line breaks where the series starts again after a break (time without readings).
    std::vector<QList<QPointF>> pieces(1);
    pieces[0].reserve(static_cast<qsizetype>(m_drawn.size()));
    const std::vector<double>& starts = m_points.lineStarts();
    auto nextStart = starts.begin();
    for (const ChartPoint& p : m_drawn) {
        bool startsAgain = false;
        for (; nextStart != starts.end() && *nextStart <= p.x; ++nextStart) startsAgain = true;
        if (startsAgain && !pieces.back().isEmpty()) pieces.emplace_back();
        pieces.back().append(QPointF(p.x, std::clamp(p.y, low, high)));
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        linePiece(i)->replace(pieces[i]);  // one repaint for all the points of a tick
}

QLineSeries* ChartPlot::linePiece(std::size_t index) {
    if (index == 0) return m_series;
    while (m_laterPieces.size() < index) {
        auto* piece = new QLineSeries;
        piece->setPen(m_series->pen());
        piece->setPointsVisible(false);
        m_chart->addSeries(piece);
        piece->attachAxis(m_time);
        piece->attachAxis(m_value);
        m_laterPieces.push_back(piece);
    }
    return m_laterPieces[index - 1];
}

void ChartPlot::fitValueAxis(double plotHeight) {
    if (plotHeight <= 0) return;
    const double step = valueAxisStep(m_kind.step, m_kind.maximum - m_kind.minimum, plotHeight,
                                      QFontMetricsF(labelFont()).height());
    if (m_value->tickInterval() != step) m_value->setTickInterval(step);
}

void ChartPlot::fitTimeAxis(const TimeSpan& span, double plotWidth) {
    const double labelWidth = QFontMetricsF(labelFont()).horizontalAdvance(QStringLiteral("00:00"));
    std::vector<TimeLabel> labels = timeAxisLabels(span, plotWidth, labelWidth);
    m_time->setRange(span.first, span.last);
    const bool same = labels.size() == m_shownLabels.size() &&
                      std::equal(labels.begin(), labels.end(), m_shownLabels.begin(),
                                 [](const TimeLabel& a, const TimeLabel& b) {
                                     return a.x == b.x && a.text == b.text;
                                 });
    if (same && m_time->startValue() == span.first) return;
    for (const QString& label : m_time->categoriesLabels()) m_time->remove(label);
    m_time->setStartValue(span.first);
    QStringList taken;
    for (const TimeLabel& label : labels) {
        taken.append(uniqueLabel(label.text, taken));
        m_time->append(taken.back(), label.x);
    }
    m_shownLabels = std::move(labels);
}

void ChartPlot::useSourceCaptions() {
    m_time->setTitleText(QString::fromUtf8(kPaperTimeCaption));
    m_value->setTitleText(QString::fromUtf8(m_kind.caption));
}

QImage renderChart(const ChartKind& kind, const PointSeries& points, const ChartClock& clock,
                   const QString& title, const QSize& size, double minimumSpanDays) {
    if (size.isEmpty()) return {};
    QGraphicsScene scene;
    auto* series = new QLineSeries;
    ChartPlot plot(kind, series, points, clock);
    plot.setMinimumSpan(minimumSpanDays);
    plot.useSourceCaptions();  // receipts are never translated
    scene.addItem(plot.chart());
    plot.chart()->setTitle(title);
    // Printed in black and white, the thin strokes of the small rotated caption fall under
    // the printer's threshold (its "T" lost its stem): on paper the captions are bold.
    for (QAbstractAxis* axis : plot.chart()->axes()) {
        QFont caption = axis->titleFont();
        caption.setBold(true);
        axis->setTitleFont(caption);
    }
    plot.chart()->resize(QSizeF(size));
    plot.chart()->layout()->activate();
    plot.refresh();  // line and labels for this plot width
    plot.chart()->layout()->activate();

    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(), QSizeF(size)), QRectF(QPointF(), QSizeF(size)));
    return image;
}

}  // namespace velmora
