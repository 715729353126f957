#pragma once

#include <QWidget>

#include "widgets/Picture.h"

class QLabel;
class QListWidget;
class QScrollArea;
class QSlider;

class QCheckBox;
class QComboBox;

namespace velmora {

// The option screen (M4Option): the log file list on the left, the guide rows, the charge
// history row and the about box on the right.
class OptionScreen : public QWidget {
    Q_OBJECT
public:
    explicit OptionScreen(QWidget* main);

    QListWidget* ListBox1;
    ui::TextButton* BTRefresh;  // "Delete"
    ui::TextButton* BTLoad;
    ui::PictureButton* R1Use;
    ui::PictureButton* R2Use;
    ui::PictureButton* R3Use;
    ui::PictureButton* RRiwayat;  // the charge journal's session list
    // "Sambungkan otomatis saat mulai": the last charger is connected at start-up.
    QCheckBox* CheckAutoConnect;
    // Notifications and a sound when a charge ends, a test result arrives or reconnecting
    // gives up.
    QCheckBox* CheckNotify;
    // "Cetak sertifikat garansi": receipts end with a signed warranty certificate.
    QCheckBox* CheckCertificate;
    ui::TextButton* BTPeriksa;  // "Periksa Sertifikat"
    // "Bahasa / Language": the window's language, remembered for the next start.
    QComboBox* ComboLanguage;

signals:
    // Another language was chosen and remembered; it is used from the next start, as
    // `notice` (in the chosen language) tells.
    void languageChosen(const QString& notice);
};

// The guide viewer (M5Guide): a title strip with back button and zoom, and the picture.
class GuideScreen : public QWidget {
    Q_OBJECT
public:
    explicit GuideScreen(QWidget* main);
    // Comes up with the charger's guide picture.
    void showChargerGuide();

    QLabel* LGuide;
    ui::PictureButton* BackGuide;
    QSlider* TrackBar1;
    class GuidePicture* GuideCharger;
};

// Shows one large picture at a picture scale, scrollable. The picture is read when shown
// and let go when hidden: a guide looked at now and then need not stay in memory.
class GuidePicture : public QWidget {
    Q_OBJECT
public:
    GuidePicture(QWidget* parent, const QString& name, const QString& svgPath);
    qreal pictureScale() const { return m_scale; }
    void setPictureScale(qreal scale);

protected:
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QString m_path;
    QScrollArea* m_scroll;
    ui::Picture* m_picture;
    QSize m_natural;  // read with the picture
    qreal m_scale = 0.8;
};

}  // namespace velmora
