#include "assistant/settings.h"

#include <QFile>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lum::assistant {
namespace {

// Field offsets of the record.
constexpr std::size_t kOffFaceName = 0;
constexpr std::size_t kOffBold = 128;
constexpr std::size_t kOffItalic = 130;
constexpr std::size_t kOffStrikethrough = 132;
constexpr std::size_t kOffUnderline = 134;
constexpr std::size_t kOffHrcSize = 136;
constexpr std::size_t kOffSymbology = 138;
constexpr std::size_t kOffHrcOption = 168;
constexpr std::size_t kOffCheckDigit = 170;
constexpr std::size_t kOffBarcodeSize = 172;
constexpr std::size_t kOffStyle = 174;
constexpr std::size_t kOffIncludeCheck = 238;
static_assert(kOffIncludeCheck + 2 == kRecordSize);
static_assert(kOffStyle + kStyleWidth == kOffIncludeCheck);
static_assert(kOffSymbology + kSymbologyWidth == kOffHrcOption);

void PutInt16(std::array<char, kRecordSize>& out, std::size_t at, std::int16_t value)
{
    const auto u = static_cast<std::uint16_t>(value);
    out[at] = char(u & 0xFF);
    out[at + 1] = char(u >> 8);
}

void PutFlag(std::array<char, kRecordSize>& out, std::size_t at, bool value) { PutInt16(out, at, value ? -1 : 0); }

void PutText(std::array<char, kRecordSize>& out, std::size_t at, std::string_view text, std::size_t width)
{
    const std::string fixed = FixedText(text, width);
    std::copy(fixed.begin(), fixed.end(), out.begin() + std::ptrdiff_t(at));
}

// A reader that yields a field only when the record holds all of it.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Int16(std::size_t at, std::int16_t& value) const
    {
        if (at + 2 > bytes_.size())
            return false;
        const auto lo = static_cast<unsigned char>(bytes_[at]);
        const auto hi = static_cast<unsigned char>(bytes_[at + 1]);
        value = static_cast<std::int16_t>(std::uint16_t(lo | (hi << 8)));
        return true;
    }

    // Any value other than 0 reads as true.
    void Flag(std::size_t at, bool& value) const
    {
        std::int16_t raw = 0;
        if (Int16(at, raw))
            value = raw != 0;
    }

    // Only 0 and 1 are check-box values.
    void CheckBox(std::size_t at, std::int16_t& value) const
    {
        std::int16_t raw = 0;
        if (Int16(at, raw) && (raw == 0 || raw == 1))
            value = raw;
    }

    void Positive(std::size_t at, std::int16_t& value) const
    {
        std::int16_t raw = 0;
        if (Int16(at, raw) && raw > 0)
            value = raw;
    }

    // The text ends at a NUL byte, should one stand in the field.
    void Text(std::size_t at, std::size_t width, std::string& value) const
    {
        if (at + width > bytes_.size())
            return;
        std::string_view field = bytes_.substr(at, width);
        field = field.substr(0, field.find('\0'));
        value = FixedText(field, width);
    }

private:
    std::string_view bytes_;
};

bool Fail(QString* error, int code)
{
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(code));
    return false;
}

// Where a save really goes: `path`, or when it is a symbolic link the file it
// names, followed through further links. The rename then happens beside that
// file (a rename only replaces within one file system) and the link is kept.
// Returns 0, or the error number (ELOOP for a link cycle).
int FollowLinks(const QByteArray& path, QByteArray& target)
{
    constexpr int kMaxLinks = 40; // as the system's own limit for path lookup
    target = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(target.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return 0; // a missing path is created by the save
        QByteArray link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(target.constData(), link.data(), std::size_t(link.size()));
        if (n < 0)
            return errno;
        if (n >= link.size())
            return ENAMETOOLONG;
        link.truncate(n);
        if (!link.startsWith('/')) // relative to the folder of the link
            link.prepend(target.left(target.lastIndexOf('/') + 1));
        target = link;
    }
    return ELOOP;
}

// A new file beside `target`, opened for writing, that no one else has opened;
// its name in `name`. -1 with errno set on failure.
int CreateTemporary(const QByteArray& target, mode_t mode, QByteArray& name)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + '.' + QByteArray::number(::getpid()) + '-' + QByteArray::number(++counter) + ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

std::string FixedText(std::string_view text, std::size_t width)
{
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::array<char, kRecordSize> EncodeSettingsRecord(const Configurazione& cfg)
{
    std::array<char, kRecordSize> out{};
    PutText(out, kOffFaceName, cfg.faceName, kFaceNameWidth);
    PutFlag(out, kOffBold, cfg.bold);
    PutFlag(out, kOffItalic, cfg.italic);
    PutFlag(out, kOffStrikethrough, cfg.strikethrough);
    PutFlag(out, kOffUnderline, cfg.underline);
    PutInt16(out, kOffHrcSize, cfg.hrcSize);
    PutText(out, kOffSymbology, cfg.simbologia, kSymbologyWidth);
    PutInt16(out, kOffHrcOption, cfg.hrcOption);
    PutInt16(out, kOffCheckDigit, cfg.checkDigit);
    PutInt16(out, kOffBarcodeSize, cfg.barcodeSize);
    PutText(out, kOffStyle, cfg.stile, kStyleWidth);
    PutFlag(out, kOffIncludeCheck, cfg.includiCheckDigit);
    return out;
}

Configurazione DecodeSettingsRecord(std::string_view bytes)
{
    Configurazione cfg;
    const Reader r(bytes.substr(0, kRecordSize));
    r.Text(kOffFaceName, kFaceNameWidth, cfg.faceName);
    if (TrimBlanks(cfg.faceName).empty())
        cfg.faceName = Configurazione{}.faceName;
    r.Flag(kOffBold, cfg.bold);
    r.Flag(kOffItalic, cfg.italic);
    r.Flag(kOffStrikethrough, cfg.strikethrough);
    r.Flag(kOffUnderline, cfg.underline);
    r.Positive(kOffHrcSize, cfg.hrcSize);
    r.Text(kOffSymbology, kSymbologyWidth, cfg.simbologia);
    r.CheckBox(kOffHrcOption, cfg.hrcOption);
    r.CheckBox(kOffCheckDigit, cfg.checkDigit);
    r.Positive(kOffBarcodeSize, cfg.barcodeSize);
    r.Text(kOffStyle, kStyleWidth, cfg.stile);
    r.Flag(kOffIncludeCheck, cfg.includiCheckDigit);
    return cfg;
}

Configurazione CaricaConfigurazione(const QString& path, ReadProblem* problem)
{
    ReadProblem ignored;
    ReadProblem& p = problem ? *problem : ignored;
    p = {};
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            p.systemError = errno;
        return {};
    }
    struct stat st {};
    std::array<char, kRecordSize> record{};
    std::size_t done = 0;
    if (::fstat(fd, &st) != 0)
        p.systemError = errno;
    else if (!S_ISREG(st.st_mode))
        p.notRegular = true;
    while (!p.Any() && done < record.size()) {
        const ssize_t n = ::read(fd, record.data() + done, record.size() - done);
        if (n > 0)
            done += std::size_t(n);
        else if (n == 0)
            break;
        else if (errno != EINTR)
            p.systemError = errno;
    }
    ::close(fd);
    if (p.Any() || done == 0)
        return {};
    return DecodeSettingsRecord(std::string_view(record.data(), done));
}

bool SalvaConfigurazione(const QString& path, const Configurazione& cfg, QString* error)
{
    const auto record = EncodeSettingsRecord(cfg);
    QByteArray target;
    if (const int failure = FollowLinks(QFile::encodeName(path), target))
        return Fail(error, failure);
    struct stat old {};
    const bool replacing = ::stat(target.constData(), &old) == 0;
    QByteArray temp;
    // A new file is created with the umask applied by the system; a replaced
    // file's permissions are copied below.
    const int fd = CreateTemporary(target, replacing ? 0600 : 0666, temp);
    if (fd < 0)
        return Fail(error, errno);
    int failure = 0;
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0)
        failure = errno;
    // Every byte written, or the error that stopped the write: a short write
    // (a file-size limit, a full disk) is a failure, not a smaller file.
    std::size_t done = 0;
    while (done < record.size() && !failure) {
        const ssize_t n = ::write(fd, record.data() + done, record.size() - done);
        if (n > 0)
            done += std::size_t(n);
        else if (n < 0 && errno != EINTR)
            failure = errno;
        else if (n == 0)
            failure = EIO;
    }
    if (!failure && ::fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && !failure)
        failure = errno;
    if (!failure && std::rename(temp.constData(), target.constData()) != 0)
        failure = errno;
    if (failure) {
        ::unlink(temp.constData());
        return Fail(error, failure);
    }
    return true;
}

} // namespace lum::assistant
