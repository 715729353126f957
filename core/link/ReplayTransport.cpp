#include "link/ReplayTransport.h"

namespace velmora {

std::vector<std::string> ReplayTransport::chunksByLine(const std::string& stream) {
    std::vector<std::string> chunks;
    size_t start = 0;
    while (start < stream.size()) {
        size_t lf = stream.find('\n', start);
        size_t end = lf == std::string::npos ? stream.size() : lf + 1;
        chunks.push_back(stream.substr(start, end - start));
        start = end;
    }
    return chunks;
}

std::vector<std::string> ReplayTransport::chunksBySize(const std::string& stream, size_t size) {
    std::vector<std::string> chunks;
    if (size == 0) size = 1;
    for (size_t start = 0; start < stream.size(); start += size)
        chunks.push_back(stream.substr(start, size));
    return chunks;
}

}  // namespace velmora
