#include "printing/ChartPrintCopy.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <memory>

namespace velmora {

namespace {

void copyAxisLook(const QAbstractAxis* from, QAbstractAxis* to) {
    to->setTitleText(from->titleText());
    to->setTitleFont(from->titleFont());
    to->setLabelsFont(from->labelsFont());
    to->setGridLineVisible(from->isGridLineVisible());
    to->setLabelsBrush(from->labelsBrush());
    to->setTitleBrush(from->titleBrush());
}

QAbstractAxis* copyAxis(const QAbstractAxis* axis, QChart* owner) {
    if (const auto* time = qobject_cast<const QDateTimeAxis*>(axis)) {
        auto* copy = new QDateTimeAxis(owner);
        copy->setFormat(time->format());
        copy->setTickCount(time->tickCount());
        copy->setRange(time->min(), time->max());
        copyAxisLook(axis, copy);
        return copy;
    }
    if (const auto* value = qobject_cast<const QValueAxis*>(axis)) {
        auto* copy = new QValueAxis(owner);
        copy->setRange(value->min(), value->max());
        copy->setTickCount(value->tickCount());
        copy->setLabelFormat(value->labelFormat());
        copyAxisLook(axis, copy);
        return copy;
    }
    return nullptr;
}

}  // namespace

QImage renderForPrint(QChartView* view, const QSize& size) {
    const QChart* chart = view ? view->chart() : nullptr;
    if (!chart || size.isEmpty()) return {};
    auto copy = std::make_unique<QChart>();
    copy->legend()->hide();
    copy->setBackgroundBrush(chart->backgroundBrush());
    copy->setBackgroundRoundness(chart->backgroundRoundness());
    copy->setMargins(chart->margins());
    copy->setTitle(chart->title());
    copy->setTitleFont(chart->titleFont());
    copy->setTitleBrush(chart->titleBrush());
    for (QAbstractAxis* axis : chart->axes())
        if (QAbstractAxis* axisCopy = copyAxis(axis, copy.get()))
            copy->addAxis(axisCopy, axis->alignment());
    for (QAbstractSeries* series : chart->series()) {
        const auto* line = qobject_cast<const QLineSeries*>(series);
        if (!line) continue;
        auto* lineCopy = new QLineSeries(copy.get());
        lineCopy->setPen(line->pen());
        lineCopy->replace(line->points());
        copy->addSeries(lineCopy);
        for (QAbstractAxis* axis : copy->axes()) lineCopy->attachAxis(axis);
    }

    QGraphicsScene scene;
    QChart* laidOut = copy.release();
    scene.addItem(laidOut);  // the scene owns the copy from here
    laidOut->resize(size);
    if (laidOut->layout()) laidOut->layout()->activate();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    return image;
}

}  // namespace velmora
