#include "process_figures.h"

#include <dirent.h>
#include <unistd.h>

#include <fstream>

namespace soak {

std::size_t residentKiB() {
    std::ifstream statm("/proc/self/statm");
    std::size_t sizePages = 0, residentPages = 0;
    statm >> sizePages >> residentPages;
    return residentPages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) / 1024;
}

std::size_t threadCount() {
    std::size_t count = 0;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') ++count;
        closedir(dir);
    }
    return count;
}

}  // namespace soak
