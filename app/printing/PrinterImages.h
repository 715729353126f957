#pragma once

#include <QBuffer>
#include <QImage>
#include <functional>
#include <memory>
#include <string>

#include "printing/PrinterRaster.h"
#include "printing/ReceiptChunks.h"

namespace velmora {

struct ChartKind;

// The three printer pictures and their rasters: the logo, shipped with the window, and
// the voltage and current charts, rendered for the printer's width by the image pass.
// Lives on the user-interface thread.
class PrinterImages {
public:
    // Renders a chart laid out for a size, without touching the chart on screen.
    using ChartRenderer = std::function<QImage(const ChartKind&, const QSize&)>;

    PrinterImages();

    // Prepares the scratch objects of the image pass and the empty chart pictures.
    void inisialprint();
    // The image pass of the charge receipt: both charts rendered at 384 x 300, then all
    // three rasters rebuilt. Throws std::runtime_error when a step fails; rasters not yet
    // rebuilt keep their content. The scratch streams are released in every case.
    void saveimage(const ChartRenderer& render);

    // Each packing routine reads its picture, then rebuilds its raster.
    void SusunBitmap();
    void SusunBitmap2();
    void SusunBitmap3();
    void EkstrakBitmap();
    void EkstrakBitmap2();
    void EkstrakBitmap3();

    // Rendered at first use: a window that never prints does not keep it.
    const QImage& ImageLogo() const;
    const QImage& ImageV() const { return m_imageV; }
    const QImage& ImageI() const { return m_imageI; }
    const printing::DotGrid& logoPixels() const { return m_logoPixels; }
    const printing::DotGrid& voltagePixels() const { return m_voltagePixels; }
    const printing::DotGrid& currentPixels() const { return m_currentPixels; }
    // Copies of the rasters as they are now (empty until first built).
    printing::PrinterRasters rasters() const {
        return {m_logoRaster, m_voltageRaster, m_currentRaster};
    }
    // Replaces the chart pictures (tests and the scratch path use it).
    void setChartPictures(const QImage& voltage, const QImage& current);

private:
    mutable QImage m_imageLogo;
    QImage m_imageV, m_imageI;
    QImage m_voltagePicture, m_currentPicture;
    std::unique_ptr<QBuffer> m_voltageStream, m_currentStream;
    printing::DotGrid m_logoPixels, m_voltagePixels, m_currentPixels;
    std::string m_logoRaster, m_voltageRaster, m_currentRaster;
};

// Black and white dots of a picture by the printer's brightness rule.
printing::DotGrid dotsOf(const QImage& picture);

}  // namespace velmora
