// libFuzzer target: any file in the log folder must read without a fault, and a record it
// accepts must save and read back as a valid record again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "link/ChargerState.h"
#include "logger/HexText.h"
#include "logger/LogFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Decoding never yields more than one byte per two digits.
    if (Hex2String(bytes).size() * 2 > bytes.size()) std::abort();
    for (char separator : {'.', ','}) {
        const RecordCheck check = readLogFile(bytes, NumberFormat{separator});
        if (check.outcome != RecordCheck::Outcome::Valid) continue;
        ChargerState state;
        storeLoadedRecord(state, check.record);
        const RecordCheck again = readLogFile(encodeLogFile(state), NumberFormat{'.'});
        if (again.outcome != RecordCheck::Outcome::Valid) std::abort();
        if (again.record.loadedRecord.before.cca != check.record.loadedRecord.before.cca ||
            again.record.loadedRecord.after.cca != check.record.loadedRecord.after.cca)
            std::abort();
    }
    return 0;
}
