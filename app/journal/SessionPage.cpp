#include "journal/SessionPage.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>

#include "catalogue/ResultLines.h"
#include "journal/SessionChart.h"
#include "journal/SessionGaps.h"
#include "journal/SessionTexts.h"
#include "monitor/ChartPlot.h"
#include "monitor/StageTable.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
const QColor kBoxFill = QColor::fromRgba(0xFF1A1A1A);
const QColor kBoxBorder = QColor::fromRgb(0x4A, 0x4A, 0x4A);
constexpr int kChartWidth = 610, kChartHeight = 182;
// A kept session's time axis spans the session; a test of seconds still gets a minute,
// so the line has room and the axis a label.
constexpr double kKeptMinimumSpanDays = 1.0 / 1440;

// A multi-line result group: its heading, then its lines.
QLabel* resultGroup(QWidget* parent, const QString& name) {
    QLabel* label =
        ui::makeLabel(parent, name, QString(), 13, ui::kWhite, Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void showGroup(QLabel* label, const QString& heading, const std::optional<journal::TestResult>& r,
               bool withStatus, const NumberFormat& format) {
    label->setVisible(r.has_value());
    if (!r) return;
    label->setText(heading + QLatin1Char('\n') +
                   resultLines(*r, withStatus, format).join(QLatin1Char('\n')));
}

}  // namespace

ui::TextButton* footerButton(QWidget* parent, const char* name, const QString& text,
                             const QColor& fill, int x, int width) {
    auto* b = new ui::TextButton(parent, QString::fromLatin1(name), text, 15);
    b->setFill(fill);
    b->setGeometry(x, 448, width, 38);
    return b;
}

SessionPage::SessionPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PageSesi"));
    BackSesi =
        new ui::PictureButton(this, QStringLiteral("BackSesi"), QStringLiteral(":/img/back.svg"));
    BackSesi->setGeometry(20, 14, 36, 36);
    BackSesi->setToolTip(tr("Kembali ke daftar"));
    LSesiTitle = ui::makeLabel(this, QStringLiteral("LSesiTitle"), QString(), 18, ui::kWhite,
                               Qt::AlignLeft | Qt::AlignVCenter);
    LSesiTitle->setFont(ui::roboto(18, QFont::Medium));
    LSesiTitle->setGeometry(66, 8, 830, 26);
    LSesiProfile =
        ui::makeLabel(this, QStringLiteral("LSesiProfile"), QString(), 13,
                      QColor::fromRgb(0xB8, 0xB8, 0xB8), Qt::AlignLeft | Qt::AlignVCenter);
    LSesiProfile->setGeometry(66, 34, 830, 20);

    auto* results = new ui::Panel(this, QStringLiteral("RSesiResults"), kBoxFill, kBoxBorder, 6);
    results->setGeometry(20, 64, 250, 370);
    LSesiBefore = resultGroup(results, QStringLiteral("LSesiBefore"));
    LSesiBefore->setGeometry(14, 10, 228, 96);
    LSesiAfter = resultGroup(results, QStringLiteral("LSesiAfter"));
    LSesiAfter->setGeometry(14, 112, 228, 116);
    LSesiTest = resultGroup(results, QStringLiteral("LSesiTest"));
    LSesiTest->setGeometry(14, 234, 228, 116);
    LSesiAkhir = ui::makeLabel(results, QStringLiteral("LSesiAkhir"), QString(), 13, ui::kGrey,
                               Qt::AlignLeft | Qt::AlignBottom);
    LSesiAkhir->setGeometry(14, 300, 228, 60);  // grows upwards: room for the gaps' line
    LSesiAkhir->setWordWrap(true);

    // The chart screen's look and reduction, on this page's own points.
    m_voltagePlot =
        new ChartPlot(kVoltageKind, new QLineSeries(this), m_data.voltage, m_data.clock, this);
    m_currentPlot =
        new ChartPlot(kCurrentKind, new QLineSeries(this), m_data.current, m_data.clock, this);
    // A kept session is drawn over its own time, not the live charts' ten minutes.
    m_voltagePlot->setMinimumSpan(kKeptMinimumSpanDays);
    m_currentPlot->setMinimumSpan(kKeptMinimumSpanDays);
    ChartSesiVoltage =
        makeChart(QStringLiteral("ChartSesiVoltage"), m_voltagePlot, tr("Grafik Tegangan"));
    ChartSesiVoltage->setGeometry(286, 64, kChartWidth, kChartHeight);
    ChartSesiCurrent =
        makeChart(QStringLiteral("ChartSesiCurrent"), m_currentPlot, tr("Grafik Arus"));
    ChartSesiCurrent->setGeometry(286, 64 + kChartHeight + 6, kChartWidth, kChartHeight);

    RSesiHapus =
        footerButton(this, "RSesiHapus", tr("Hapus"), QColor::fromRgb(0x8E, 0x3B, 0x32), 20, 130);
    const QColor grey = QColor::fromRgb(0x4A, 0x4A, 0x4A);
    RSesiCsv = footerButton(this, "RSesiCsv", tr("Ekspor CSV"), grey, 436, 146);
    RSesiPdf = footerButton(this, "RSesiPdf", tr("Ekspor PDF"), grey, 594, 146);
    RSesiCetak =
        footerButton(this, "RSesiCetak", tr("Cetak"), QColor::fromRgb(0x00, 0xA7, 0x7F), 752, 144);
}

SessionPage::~SessionPage() = default;

QChartView* SessionPage::makeChart(const QString& name, ChartPlot* plot, const QString& title) {
    auto* view = new QChartView(plot->chart(), this);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    view->setBackgroundBrush(Qt::white);
    plot->chart()->setTitle(title);
    return view;
}

void SessionPage::showSession(const journal::Session& session, bool recording,
                              const NumberFormat& format, const QString& dateSeparator) {
    const journal::SessionSummary& s = session.summary;
    m_shown = s;
    QStringList title{kindText(s.start), startText(s, dateSeparator), durationText(s.durationMs())};
    // Which bay first: with several chargers, that is what the workshop goes by.
    if (!s.start.bayLabel.empty()) title.prepend(QString::fromStdString(s.start.bayLabel));
    LSesiTitle->setText(title.join(QStringLiteral("  ·  ")));
    const journal::Profile& p = s.start.profile;
    QStringList profile;
    for (const std::string* text : {&p.brand, &p.variety, &p.type, &p.capacity, &p.modeText})
        if (!text->empty()) profile << QString::fromStdString(*text);
    if (!p.name.empty()) profile << QStringLiteral("\"%1\"").arg(QString::fromStdString(p.name));
    if (!s.start.deviceName.empty()) profile << QString::fromStdString(s.start.deviceName);
    LSesiProfile->setText(profile.isEmpty() ? QStringLiteral("-")
                                            : profile.join(QStringLiteral("  ·  ")));

    showGroup(LSesiBefore, tr("Sebelum Pengisian"), s.results.before, false, format);
    showGroup(LSesiAfter, tr("Sesudah Pengisian"), s.results.after, true, format);
    showGroup(LSesiTest, tr("Hasil Tes"), s.results.test, true, format);
    // A test has no before and after results: its own group goes to the top.
    LSesiTest->move(LSesiTest->x(), s.results.before || s.results.after ? 234 : 10);
    QStringList akhir{tr("Akhir: %1").arg(stopText(s, recording))};
    const std::vector<journal::Gap> gaps = journal::findGaps(session.points);
    if (!gaps.empty()) {
        int64_t missingMs = 0;
        for (const journal::Gap& gap : gaps) missingMs += gap.toMs - gap.fromMs;
        akhir << tr("Terputus %n kali (%1)", nullptr, static_cast<int>(gaps.size()))
                     .arg(durationText(missingMs));
    }
    akhir << tr("%n titik", nullptr, static_cast<int>(session.points.size()));
    LSesiAkhir->setText(akhir.join(QLatin1Char('\n')));

    journal::plotSession(session, m_data);
    m_voltagePlot->refresh();
    m_currentPlot->refresh();
    m_lastStage = session.points.empty() ? 0 : session.points.back().stage;
}

QImage SessionPage::renderForPrint(const ChartKind& kind, const QSize& size) const {
    const bool voltage = &kind == &kVoltageKind;
    const StageView stage = stageView(m_lastStage);
    return renderChart(voltage ? kVoltageKind : kCurrentKind,
                       voltage ? m_data.voltage : m_data.current, m_data.clock,
                       QStringLiteral("Stage %1").arg(stage.known ? stage.chartStage : 1), size,
                       kKeptMinimumSpanDays);
}

}  // namespace velmora
