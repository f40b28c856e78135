// Writing an image file so that a failure never destroys the previous one.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fonts/render/render.h"

namespace lum::render {
namespace {

Status WriteFailure(const std::string& path, int error)
{
    return {Problem::WriteFailed, "cannot write " + path + ": " + std::strerror(error)};
}

// Every byte, or the error that stopped the write: a short write (a file-size
// limit, a full disk) is a failure, not a smaller file.
int WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += std::size_t(n);
        else if (n < 0 && errno != EINTR)
            return errno;
        else if (n == 0)
            return EIO;
    }
    return 0;
}

// A name for the temporary file beside `target`, hidden and unique to this
// process and call.
std::string TemporaryName(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return dir + "." + name + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

} // namespace

Status WriteImageFile(const std::string& path, std::string_view bytes)
{
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        // A device or a pipe (/dev/stdout): nothing to keep, write straight to it.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return WriteFailure(path, errno);
        int error = WriteAll(fd, bytes);
        if (::close(fd) != 0 && !error)
            error = errno;
        return error ? WriteFailure(path, error) : Status{};
    }
    // Through a symbolic link the file it points to is replaced, not the link.
    std::string target = path;
    if (exists) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = TemporaryName(target);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return WriteFailure(path, errno);
    }
    if (fd < 0)
        return WriteFailure(path, EEXIST);
    int error = WriteAll(fd, bytes);
    if (exists && !error) {
        // The replacement keeps the old file's permissions, and reaches the
        // disk before it takes the old file's place.
        ::fchmod(fd, existing.st_mode & 07777);
        if (::fsync(fd) != 0)
            error = errno;
    }
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && std::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return WriteFailure(path, error);
    }
    return {};
}

} // namespace lum::render
