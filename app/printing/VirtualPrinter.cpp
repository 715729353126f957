#include "printing/VirtualPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <mutex>

#include "link/SimulatedDevices.h"
#include "printing/EscPosReader.h"

namespace velmora {

// The simulated printer's end: forwards bytes to the printer while it exists.
struct VirtualPrinter::Inbox : PrinterOutput {
    std::mutex mutex;
    VirtualPrinter* printer = nullptr;

    void print(const std::string& bytes) override {
        std::lock_guard<std::mutex> lock(mutex);
        if (!printer) return;
        VirtualPrinter* target = printer;
        QMetaObject::invokeMethod(
            target, [target, bytes] { target->take(bytes); }, Qt::QueuedConnection);
    }
};

VirtualPrinter::VirtualPrinter(QObject* parent)
    : QObject(parent),
      m_inbox(std::make_shared<Inbox>()),
      m_folder(QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                   .filePath(QStringLiteral("Velmora Tester/Struk"))),
      m_clock([] { return QDateTime::currentDateTime(); }) {
    m_inbox->printer = this;
    m_idle.setSingleShot(true);
    m_idle.setInterval(kTearOffMs);
    connect(&m_idle, &QTimer::timeout, this, &VirtualPrinter::tearOff);
}

VirtualPrinter::~VirtualPrinter() {
    std::lock_guard<std::mutex> lock(m_inbox->mutex);
    m_inbox->printer = nullptr;
}

void VirtualPrinter::attachTo(BluetoothPlatform& platform) {
    if (auto* devices = dynamic_cast<DevicePlatform*>(&platform))
        devices->setPrinterOutput(m_inbox);
}

void VirtualPrinter::receive(const std::string& bytes) {
    m_inbox->print(bytes);
}

void VirtualPrinter::take(const std::string& bytes) {
    m_bytes += bytes;
    m_idle.start();
}

void VirtualPrinter::tearOff() {
    m_idle.stop();
    const printing::Paper paper = printing::readEscPos(m_bytes);
    m_bytes.clear();
    if (paper.lines.empty()) return;  // nothing came out of the printer
    const QImage picture = paperImage(printing::drawPaper(paper));
    QString error;
    const QString path = saveAs(picture, &error);
    emit receiptPrinted(picture, path, error);
}

QString VirtualPrinter::saveAs(const QImage& paper, QString* error) const {
    QDir dir(m_folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = tr("Folder %1 tidak dapat dibuat").arg(QDir::toNativeSeparators(m_folder));
        return {};
    }
    // Date and time in the name; a second receipt within the same second gets a number.
    const QString stem =
        QStringLiteral("Struk_") + m_clock().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString path = dir.filePath(stem + QStringLiteral(".png"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(stem + QStringLiteral("_%1.png").arg(n));
    if (!paper.save(path, "PNG")) {
        *error = tr("Struk tidak dapat disimpan di %1").arg(QDir::toNativeSeparators(path));
        return {};
    }
    return path;
}

QImage VirtualPrinter::paperImage(const printing::DotGrid& dots) {
    QImage image(dots.width, dots.height, QImage::Format_Grayscale8);
    for (int y = 0; y < dots.height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < dots.width; ++x) row[x] = dots.black(x, y) ? 0 : 255;
    }
    return image;
}

}  // namespace velmora
