#include "platform/Version.h"

#include <cstdio>
#include <cstring>

namespace velmora {

bool printVersionIfAsked(const char* program, int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", program, versionText());
            std::fflush(stdout);
            return true;
        }
    }
    return false;
}

}  // namespace velmora
