#include "widgets/CoreTexts.h"

#include <QCoreApplication>

namespace velmora::ui {

namespace {
// The messages of core/ for the user, as core writes them, read here for translation.
[[maybe_unused]] const char* const kCoreMessages[] = {
    // link/LinkMessages.h
    QT_TRANSLATE_NOOP("CoreTexts", "Nyalakan bluetooth anda"),
    QT_TRANSLATE_NOOP("CoreTexts", "Matikan lalu hidupkan lagi charger anda"),
    // link/Commands.cpp
    QT_TRANSLATE_NOOP("CoreTexts", "Nilai opsi di luar batas"),
    // journal/JournalError.cpp
    QT_TRANSLATE_NOOP("CoreTexts", "Riwayat tidak tersedia: berkas sedang dipakai program lain"),
    QT_TRANSLATE_NOOP("CoreTexts", "Riwayat tidak tersedia: berkas tidak dapat ditulis"),
    QT_TRANSLATE_NOOP("CoreTexts", "Riwayat tidak tersedia: disk penuh"),
    QT_TRANSLATE_NOOP("CoreTexts", "Riwayat tidak tersedia: berkas rusak"),
    QT_TRANSLATE_NOOP("CoreTexts",
                      "Riwayat dibuat oleh versi aplikasi yang lebih baru: hanya dapat dibaca"),
    QT_TRANSLATE_NOOP("CoreTexts", "Riwayat belum ada"),
    QT_TRANSLATE_NOOP("CoreTexts", "Riwayat tidak tersedia: gagal membaca atau menulis berkas"),
};
}  // namespace

QString coreText(const std::string& text) {
    return QCoreApplication::translate("CoreTexts", text.c_str());
}

}  // namespace velmora::ui
