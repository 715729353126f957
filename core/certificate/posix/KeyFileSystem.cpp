#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "certificate/KeyFiles.h"

namespace velmora::certificate {

namespace {

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return ::fsync(fd) == 0;
}

KeyFileError writeFailed(const std::string& path) {
    return KeyFileError(KeyFileFault::WriteFailed,
                        "cannot write " + path + ": " + std::strerror(errno));
}

}  // namespace

void createFileExclusively(const std::string& path, const std::string& bytes, bool ownerOnly) {
    std::string temporary = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temporary.data());  // created 0600, so never open to others
    if (fd < 0) throw writeFailed(path);
    const bool written = (ownerOnly || ::fchmod(fd, 0644) == 0) && writeAll(fd, bytes);
    const int writeErrno = errno;
    ::close(fd);
    if (!written) {
        ::unlink(temporary.c_str());
        errno = writeErrno;
        throw writeFailed(path);
    }
    // link() gives the whole file its name, and fails rather than replace one that is there.
    const int linked = ::link(temporary.c_str(), path.c_str());
    const int linkErrno = errno;
    ::unlink(temporary.c_str());
    if (linked == 0) return;
    if (linkErrno == EEXIST)
        throw KeyFileError(KeyFileFault::Exists, path + " exists; keys are never overwritten");
    errno = linkErrno;
    throw writeFailed(path);
}

bool readableByOthers(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & (S_IRWXG | S_IRWXO)) != 0;
}

}  // namespace velmora::certificate
