#include "printing/PrinterImages.h"

#include <QCoreApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <stdexcept>

#include "monitor/ChartPlot.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {

const QSize kLogoSize(printing::kPrintWidth, printing::kLogoHeight);
const QSize kChartSize(printing::kChartWidth, printing::kChartHeight);
const QString kLogoPicture = QStringLiteral(":/img/logo_print.svg");

// The logo drawn once on white, so it is opaque whatever the artwork holds.
QImage shippedLogo() {
    ui::loadFonts();  // the artwork's lettering is Roboto
    QImage logo(kLogoSize, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QSvgRenderer artwork(kLogoPicture);
    QPainter painter(&logo);
    artwork.render(&painter, QRectF(QPointF(0, 0), kLogoSize));
    return logo;
}

QImage atChartSize(const QImage& picture) {
    if (picture.size() == kChartSize) return picture;
    return picture.scaled(kChartSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A picture that cannot be made, said in the window's language.
std::runtime_error failure(const char* text) {
    return std::runtime_error(QCoreApplication::translate("PrinterImages", text).toStdString());
}

void encode(const QImage& picture, QBuffer& stream) {
    if (picture.isNull())
        throw failure(QT_TRANSLATE_NOOP("PrinterImages", "Grafik tidak dapat digambar"));
    stream.open(QIODevice::WriteOnly);
    const bool written = picture.save(&stream, "PNG");
    stream.close();
    if (!written)
        throw failure(QT_TRANSLATE_NOOP("PrinterImages", "Gambar grafik tidak dapat disimpan"));
}

QImage decode(QBuffer& stream) {
    QImage picture;
    if (!picture.loadFromData(stream.data(), "PNG"))
        throw failure(QT_TRANSLATE_NOOP("PrinterImages", "Gambar grafik tidak dapat dibaca"));
    return picture;
}

std::string packed(const printing::DotGrid& dots) {
    return dots.width == printing::kPrintWidth ? printing::packBands(dots) : std::string();
}

}  // namespace

printing::DotGrid dotsOf(const QImage& picture) {
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    return printing::readDots({pixels.width(), pixels.height(),
                               reinterpret_cast<const std::uint32_t*>(pixels.constBits()),
                               static_cast<std::ptrdiff_t>(pixels.bytesPerLine() / 4)});
}

PrinterImages::PrinterImages() = default;

const QImage& PrinterImages::ImageLogo() const {
    if (m_imageLogo.isNull()) m_imageLogo = shippedLogo();
    return m_imageLogo;
}

void PrinterImages::inisialprint() {
    m_voltageStream = std::make_unique<QBuffer>();
    m_currentStream = std::make_unique<QBuffer>();
    m_voltagePicture = QImage();
    m_currentPicture = QImage();
}

void PrinterImages::saveimage(const ChartRenderer& render) {
    if (!m_voltageStream || !m_currentStream) inisialprint();
    // The next pass starts with new streams, whether or not this one gets through.
    struct ReleaseStreams {
        PrinterImages& images;
        ~ReleaseStreams() {
            images.m_voltageStream.reset();
            images.m_currentStream.reset();
        }
    } release{*this};

    m_voltagePicture = atChartSize(render(kVoltageKind, kChartSize));
    m_currentPicture = atChartSize(render(kCurrentKind, kChartSize));
    encode(m_voltagePicture, *m_voltageStream);
    encode(m_currentPicture, *m_currentStream);
    m_imageV = decode(*m_voltageStream);
    m_imageI = decode(*m_currentStream);
    SusunBitmap();
    SusunBitmap2();
    SusunBitmap3();
}

void PrinterImages::setChartPictures(const QImage& voltage, const QImage& current) {
    m_imageV = voltage;
    m_imageI = current;
}

void PrinterImages::EkstrakBitmap() {
    m_logoPixels = dotsOf(ImageLogo());  // read as shipped, unscaled
}

void PrinterImages::EkstrakBitmap2() {
    m_voltagePixels = dotsOf(atChartSize(m_imageV));
}

void PrinterImages::EkstrakBitmap3() {
    m_currentPixels = dotsOf(atChartSize(m_imageI));
}

void PrinterImages::SusunBitmap() {
    EkstrakBitmap();
    m_logoRaster = packed(m_logoPixels);
}

void PrinterImages::SusunBitmap2() {
    EkstrakBitmap2();
    m_voltageRaster = packed(m_voltagePixels);
}

void PrinterImages::SusunBitmap3() {
    EkstrakBitmap3();
    m_currentRaster = packed(m_currentPixels);
}

}  // namespace velmora
