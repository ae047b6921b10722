#include "core/common/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

namespace tremolux {

namespace {

// What a file that is not a regular one is, in words; empty for a regular file.
std::string KindOf(const struct stat& info)
{
    if (S_ISREG(info.st_mode))
        return {};
    if (S_ISDIR(info.st_mode))
        return "it is a directory, not a file";
    if (S_ISFIFO(info.st_mode))
        return "it is a FIFO, not a regular file";
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return "it is a device, not a regular file";
    if (S_ISSOCK(info.st_mode))
        return "it is a socket, not a regular file";
    return "it is not a regular file";
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

}  // namespace

Result<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes,
                                    std::size_t padding)
{
    // Not blocking: opening a FIFO for reading would wait for a writer.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return Failure{std::strerror(errno)};
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return Failure{std::strerror(errno)};
    std::string kind = KindOf(info);
    if (!kind.empty())
        return Failure{std::move(kind)};
    if (info.st_size < 0 || static_cast<std::uintmax_t>(info.st_size) > maxBytes)
        return Failure{std::string(kFileTooLarge)};

    // The size given, and one byte more to see a file that grew meanwhile.
    const std::size_t expected = static_cast<std::size_t>(info.st_size);
    std::string bytes;
    bytes.reserve(expected + 1 + padding);
    std::size_t held = 0;
    for (;;) {
        const std::size_t room = std::max<std::size_t>(expected + 1, held + 65536);
        bytes.resize(std::min(room, maxBytes + 1));
        if (held == bytes.size())
            break;
        const ssize_t got = ::read(file.get(), bytes.data() + held, bytes.size() - held);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Failure{std::strerror(errno)};
        if (got == 0)
            break;
        held += static_cast<std::size_t>(got);
    }
    if (held > maxBytes)
        return Failure{std::string(kFileTooLarge)};
    bytes.resize(held);
    return bytes;
}

std::string SpecialFileKind(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))
        return {};
    return KindOf(info);
}

}  // namespace tremolux
