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
    static const std::string process = std::to_string(::getpid());
    const std::size_t name = target.rfind('/') + 1; // 0 without a folder
    std::string temp;
    temp.reserve(target.size() + process.size() + 16);
    temp.append(target, 0, name).append(".").append(target, name).append(".").append(process).append("-");
    temp.append(std::to_string(counter++)).append(".tmp");
    return temp;
}

// Writes `bytes` to a new temporary file beside `target`, with the
// permissions `mode` (umask applied when it is 0666) and on the disk before it
// returns when `sync`; its name in `temp`, or the error.
int WriteTemporary(const std::string& target, std::string_view bytes, mode_t mode, bool sync, std::string& temp)
{
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = TemporaryName(target);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;
    int error = WriteAll(fd, bytes);
    if (!error && mode != 0666)
        ::fchmod(fd, mode);
    if (!error && sync && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (error)
        ::unlink(temp.c_str());
    return error;
}

// The target exists: a device or a pipe is written to directly; a file is
// replaced by a complete copy with its permissions, through a symbolic link
// the file it points to.
Status Replace(const std::string& path, std::string_view bytes)
{
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return WriteFailure(path, errno);
        int error = WriteAll(fd, bytes);
        if (::close(fd) != 0 && !error)
            error = errno;
        return error ? WriteFailure(path, error) : Status{};
    }
    std::string target = path;
    if (exists) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    std::string temp;
    int error = WriteTemporary(target, bytes, exists ? existing.st_mode & 07777 : 0666, exists, temp);
    if (!error && std::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
        ::unlink(temp.c_str());
    }
    return error ? WriteFailure(path, error) : Status{};
}

} // namespace

Status WriteImageFile(const std::string& path, std::string_view bytes)
{
    // Most images are new files: written beside their name and moved there
    // only while the name is still free, with no look at it beforehand.
    std::string temp;
    if (const int error = WriteTemporary(path, bytes, 0666, false, temp))
        return WriteFailure(path, error);
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    const int error = errno;
    ::unlink(temp.c_str());
    if (error != EEXIST && error != EINVAL && error != ENOSYS) // EINVAL: a file system without NOREPLACE
        return WriteFailure(path, error);
    return Replace(path, bytes);
}

} // namespace lum::render
