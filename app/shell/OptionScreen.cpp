#include "shell/OptionScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSvgRenderer>

#include "catalogue/InputStyle.h"
#include "platform/Version.h"
#include "widgets/Language.h"
#include "widgets/PixmapCache.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
const QColor kBoxFill = QColor::fromRgba(0xCC1E1E1E);
const QColor kBoxBorder = QColor::fromRgb(0x4A, 0x4A, 0x4A);
constexpr int kRowStep = 50;
}  // namespace

OptionScreen::OptionScreen(QWidget* main) : QWidget(main) {
    setObjectName(QStringLiteral("M4Option"));
    setGeometry(0, 0, main->width(), main->height());

    auto* logs = new ui::Panel(this, QStringLiteral("RLog"), kBoxFill, kBoxBorder, 6);
    logs->setGeometry(40, 30, 420, 420);
    auto* heading = ui::makeLabel(logs, QStringLiteral("LLogTitle"), tr("FILE DATALOGGER"), 22);
    heading->setFont(ui::roboto(22, QFont::Medium));
    heading->setGeometry(0, 10, 420, 40);
    ListBox1 = new QListWidget(logs);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(35, 56, 350, 300);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setFont(ui::roboto(16));
    ListBox1->setStyleSheet(QStringLiteral(
        "QListWidget{background:#141414;color:white;border:1px solid #3a3a3a;border-radius:4px}"
        "QListWidget::item{padding:6px}"
        "QListWidget::item:selected{background:#00a77f;color:white}"));
    BTRefresh = new ui::TextButton(logs, QStringLiteral("BTRefresh"), tr("Delete"), 16);
    BTRefresh->setFill(QColor::fromRgb(0x8E, 0x3B, 0x32));
    BTRefresh->setGeometry(35, 368, 165, 38);
    BTLoad = new ui::TextButton(logs, QStringLiteral("BTLoad"), tr("  Load File"), 16);
    BTLoad->setFill(QColor::fromRgb(0x00, 0xA7, 0x7F));
    BTLoad->setGeometry(220, 368, 165, 38);

    auto* guide = new ui::Panel(this, QStringLiteral("RGuide"), kBoxFill, kBoxBorder, 6);
    guide->setGeometry(500, 30, 420, 420);
    struct Row {
        const char* text;
        ui::PictureButton** button;
        const char* name;
        const char* icon;
    } rows[] = {
        {QT_TR_NOOP("Data Informasi"), &R1Use, "R1Use", ":/img/guide_info.svg"},
        {QT_TR_NOOP("Cara Penggunaan Charger"), &R3Use, "R3Use", ":/img/guide_usage.svg"},
        {QT_TR_NOOP("Informasi Pengguna"), &R2Use, "R2Use", ":/img/guide_user.svg"},
        {QT_TR_NOOP("Riwayat"), &RRiwayat, "RRiwayat", ":/img/guide_history.svg"},
    };
    int y = 12;
    for (const Row& row : rows) {
        auto* label = ui::makeLabel(guide, QStringLiteral("L") + QString::fromLatin1(row.name),
                                    tr(row.text), 18, ui::kWhite, Qt::AlignLeft | Qt::AlignVCenter);
        label->setGeometry(30, y, 300, kRowStep);
        *row.button = new ui::PictureButton(guide, QString::fromLatin1(row.name),
                                            QString::fromLatin1(row.icon));
        (*row.button)->setGeometry(340, y + 1, 48, 48);
        y += kRowStep;
    }
    CheckAutoConnect = new QCheckBox(tr("Sambungkan otomatis saat mulai"), guide);
    CheckAutoConnect->setObjectName(QStringLiteral("CheckAutoConnect"));
    CheckAutoConnect->setFont(ui::roboto(16));
    CheckAutoConnect->setStyleSheet(QStringLiteral("QCheckBox{color:white}"));
    CheckAutoConnect->setGeometry(30, y + 4, 360, 28);
    CheckNotify = new QCheckBox(tr("Pemberitahuan dan suara saat selesai"), guide);
    CheckNotify->setObjectName(QStringLiteral("CheckNotify"));
    CheckNotify->setFont(ui::roboto(16));
    CheckNotify->setStyleSheet(QStringLiteral("QCheckBox{color:white}"));
    CheckNotify->setGeometry(30, y + 34, 360, 28);
    y += 30;
    CheckCertificate = new QCheckBox(tr("Cetak sertifikat garansi"), guide);
    CheckCertificate->setObjectName(QStringLiteral("CheckCertificate"));
    CheckCertificate->setFont(ui::roboto(16));
    CheckCertificate->setStyleSheet(QStringLiteral("QCheckBox{color:white}"));
    CheckCertificate->setGeometry(30, y + 34, 220, 28);
    BTPeriksa =
        new ui::TextButton(guide, QStringLiteral("BTPeriksa"), tr("Periksa Sertifikat"), 13);
    BTPeriksa->setFill(QColor::fromRgb(0x2F, 0x5E, 0x8C));
    BTPeriksa->setGeometry(250, y + 34, 140, 28);
    y += 30;  // the rows below move down by the certificate's row

    // Said in both languages: it is found by whoever reads only one of them.
    ui::makeLabel(guide, QStringLiteral("LLanguage"), QStringLiteral("Bahasa / Language"), 16,
                  ui::kWhite, Qt::AlignLeft | Qt::AlignVCenter)
        ->setGeometry(30, y + 38, 170, 30);
    ComboLanguage = new QComboBox(guide);
    ComboLanguage->setObjectName(QStringLiteral("ComboLanguage"));
    ComboLanguage->setFont(ui::roboto(15));
    ComboLanguage->setStyleSheet(ui::comboStyle());
    ComboLanguage->setGeometry(210, y + 38, 180, 30);
    // Each language by its own name.
    ComboLanguage->addItem(QStringLiteral("Bahasa Indonesia"),
                           ui::languageCode(ui::Language::Indonesian));
    ComboLanguage->addItem(QStringLiteral("English"), ui::languageCode(ui::Language::English));
    // The language the window speaks; a choice is kept for the next start.
    ComboLanguage->setCurrentIndex(
        ComboLanguage->findData(ui::languageCode(ui::appliedLanguage())));
    connect(ComboLanguage, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        const auto chosen = ui::languageFromCode(ComboLanguage->itemData(index).toString());
        if (!chosen) return;
        ui::rememberLanguage(*chosen);
        if (*chosen == ui::appliedLanguage()) return;  // spoken already
        emit languageChosen(
            ui::textIn(*chosen, "velmora::OptionScreen",
                       QT_TR_NOOP("Bahasa akan berganti setelah aplikasi dibuka ulang")));
    });

    auto* about =
        new ui::Panel(guide, QStringLiteral("RAbout"), QColor::fromRgba(0xFF141414), kBoxBorder, 6);
    // Logo beside the name and version: the rows above leave it 68 high.
    about->setGeometry(30, y + 74, 360, 68);
    ui::makeLabel(about, QStringLiteral("LAboutTitle"), tr("Tentang Aplikasi"), 14, ui::kGrey)
        ->setGeometry(0, 2, 360, 18);
    auto* logo =
        new ui::Picture(about, QStringLiteral("ImageLogo"), QStringLiteral(":/img/logo.svg"));
    logo->setGeometry(24, 24, 120, 36);
    auto* name =
        ui::makeLabel(about, QStringLiteral("LAboutName"), QStringLiteral("Velmora Tester"), 18);
    name->setFont(ui::roboto(18, QFont::Medium));
    name->setGeometry(160, 20, 190, 22);
    ui::makeLabel(about, QStringLiteral("LAboutVersion"),
                  tr("Versi %1").arg(QString::fromLatin1(versionText())), 13, ui::kGrey)
        ->setGeometry(160, 44, 190, 17);
}

GuideScreen::GuideScreen(QWidget* main) : QWidget(main) {
    setObjectName(QStringLiteral("M5Guide"));
    setGeometry(0, 0, main->width(), main->height());
    auto* strip = new ui::Panel(this, QStringLiteral("RGuideTitle"), QColor::fromRgba(0xE0181818));
    strip->setGeometry(0, 0, width(), 46);
    BackGuide =
        new ui::PictureButton(strip, QStringLiteral("BackGuide"), QStringLiteral(":/img/back.svg"));
    BackGuide->setGeometry(14, 5, 36, 36);
    BackGuide->setToolTip(tr("Kembali"));
    LGuide = ui::makeLabel(strip, QStringLiteral("LGuide"), QString(), 24);
    LGuide->setGeometry(60, 0, width() - 320, 46);
    TrackBar1 = new QSlider(Qt::Horizontal, strip);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(4, 30);
    TrackBar1->setValue(8);
    TrackBar1->setGeometry(width() - 240, 8, 220, 30);
    GuideCharger =
        new GuidePicture(this, QStringLiteral("GuideCharger"),
                         ui::localizedPicture(QStringLiteral(":/img/guide_charger.svg")));
    GuideCharger->setGeometry(0, 46, width(), 432);
}

GuidePicture::GuidePicture(QWidget* parent, const QString& name, const QString& svgPath)
    : QWidget(parent), m_path(svgPath) {
    setObjectName(name);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setStyleSheet(QStringLiteral("QScrollArea{background:#f4f4f4}"));
    m_picture = new ui::Picture(nullptr, name + QStringLiteral("Image"), svgPath);
    m_scroll->setWidget(m_picture);
}

void GuidePicture::setPictureScale(qreal scale) {
    m_scale = scale;
    if (m_natural.isEmpty()) return;  // sized when shown
    m_picture->resize(qRound(m_natural.width() * scale), qRound(m_natural.height() * scale));
}

void GuidePicture::showEvent(QShowEvent* event) {
    if (m_natural.isEmpty()) {
        QSvgRenderer* renderer = ui::svg(m_path);
        m_natural = renderer ? renderer->defaultSize() : QSize(1200, 1600);
        setPictureScale(m_scale);
    }
    QWidget::showEvent(event);
}

void GuidePicture::hideEvent(QHideEvent* event) {
    ui::forgetCachedSvg(m_path);
    QWidget::hideEvent(event);
}

void GuidePicture::resizeEvent(QResizeEvent*) {
    m_scroll->setGeometry(rect());
}

void GuideScreen::showChargerGuide() {
    show();
    LGuide->setText(tr("Panduan Charger & Aplikasi"));
    GuideCharger->show();
}

}  // namespace velmora
