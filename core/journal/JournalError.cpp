#include "journal/JournalError.h"

namespace velmora::journal {

const char* faultName(JournalFault fault) {
    switch (fault) {
        case JournalFault::Locked:
            return "locked";
        case JournalFault::ReadOnly:
            return "read-only";
        case JournalFault::Full:
            return "disk full";
        case JournalFault::Corrupt:
            return "corrupt";
        case JournalFault::NewerVersion:
            return "newer version";
        case JournalFault::Missing:
            return "missing";
        case JournalFault::Io:
            break;
    }
    return "i/o error";
}

std::string userMessage(JournalFault fault) {
    switch (fault) {
        case JournalFault::Locked:
            return "Riwayat tidak tersedia: berkas sedang dipakai program lain";
        case JournalFault::ReadOnly:
            return "Riwayat tidak tersedia: berkas tidak dapat ditulis";
        case JournalFault::Full:
            return "Riwayat tidak tersedia: disk penuh";
        case JournalFault::Corrupt:
            return "Riwayat tidak tersedia: berkas rusak";
        case JournalFault::NewerVersion:
            return "Riwayat dibuat oleh versi aplikasi yang lebih baru: hanya dapat dibaca";
        case JournalFault::Missing:
            return "Riwayat belum ada";
        case JournalFault::Io:
            break;
    }
    return "Riwayat tidak tersedia: gagal membaca atau menulis berkas";
}

}  // namespace velmora::journal
