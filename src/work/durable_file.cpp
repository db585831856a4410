#include "durable_file.h"

#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kvarton::work {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrevious = ".previous";
constexpr std::string_view kPending = ".saving";

// What went wrong with a file, as far as a learner can do something about it.
enum class Failure { NoSpace, NoPermission, NoFolder, Other };

std::string quoted(const fs::path& file) { return "«" + displayName(file) + "»"; }

std::string reasonFor(Failure failure, const fs::path& file)
{
    switch (failure) {
    case Failure::NoSpace:
        return "на диске не хватило места для файла " + quoted(file);
    case Failure::NoPermission:
        return "нет прав на запись файла " + quoted(file);
    case Failure::NoFolder:
        return "нет папки для файла " + quoted(file);
    case Failure::Other:
        break;
    }
    return "не удалось записать файл " + quoted(file);
}

#ifdef _WIN32

Failure failureOf(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Failure::NoSpace;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
        return Failure::NoPermission;
    case ERROR_PATH_NOT_FOUND:
        return Failure::NoFolder;
    default:
        return Failure::Other;
    }
}

// The bytes in a new file, on the disk when this returns.
std::optional<Failure> writeToDisk(const fs::path& file, std::string_view bytes)
{
    const HANDLE handle
        = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failureOf(GetLastError());
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            const DWORD error = GetLastError();
            CloseHandle(handle);
            return failureOf(error);
        }
        done += written;
    }
    const bool flushed = FlushFileBuffers(handle);
    const DWORD error = GetLastError();
    CloseHandle(handle);
    if (!flushed)
        return failureOf(error);
    return std::nullopt;
}

std::optional<Failure> replace(const fs::path& from, const fs::path& to)
{
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return std::nullopt;
    return failureOf(GetLastError());
}

void syncFolder(const fs::path&) { } // MOVEFILE_WRITE_THROUGH has put the renaming on the disk

#else

Failure failureOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return Failure::NoSpace;
    case EACCES:
    case EPERM:
    case EROFS:
        return Failure::NoPermission;
    case ENOENT:
    case ENOTDIR:
        return Failure::NoFolder;
    default:
        return Failure::Other;
    }
}

// The bytes in a new file, on the disk when this returns.
std::optional<Failure> writeToDisk(const fs::path& file, std::string_view bytes)
{
    // Read and written by the learner alone: it holds their name.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return failureOf(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            ::close(fd);
            return failureOf(error);
        }
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return failureOf(error);
    }
    if (::close(fd) != 0)
        return failureOf(errno);
    return std::nullopt;
}

std::optional<Failure> replace(const fs::path& from, const fs::path& to)
{
    if (::rename(from.c_str(), to.c_str()) == 0)
        return std::nullopt;
    return failureOf(errno);
}

// The renamings on the disk too, not only the file's bytes.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

#endif

fs::path withSuffix(const fs::path& file, std::string_view suffix)
{
    fs::path name = file.stem();
    name += fs::path(std::u8string(suffix.begin(), suffix.end()));
    name += file.extension();
    return file.parent_path() / name;
}

bool endsWith(const std::u8string& text, std::string_view suffix)
{
    return text.size() >= suffix.size()
        && std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char8_t b) { return a == char(b); });
}

} // namespace

fs::path previousVersionOf(const fs::path& file) { return withSuffix(file, kPrevious); }

fs::path pendingVersionOf(const fs::path& file)
{
    fs::path pending = file;
    pending += fs::path(std::u8string(kPending.begin(), kPending.end()));
    return pending;
}

bool isVersionOfAnother(const fs::path& file)
{
    return endsWith(file.stem().u8string(), kPrevious) || endsWith(file.filename().u8string(), kPending);
}

std::optional<std::string> writeKeepingPrevious(const fs::path& file, std::string_view bytes) noexcept
{
    try {
        const fs::path pending = pendingVersionOf(file);
        std::error_code ignored;
        if (const auto failure = writeToDisk(pending, bytes)) {
            fs::remove(pending, ignored);
            return reasonFor(*failure, file);
        }
        const fs::path previous = previousVersionOf(file);
        // The file as it was stays whole under its second name until the new one takes the first.
        if (fs::exists(file, ignored)) {
            if (const auto failure = replace(file, previous)) {
                fs::remove(pending, ignored);
                return reasonFor(*failure, file);
            }
        }
        if (const auto failure = replace(pending, file)) {
            replace(previous, file); // the file as it was, back under its name
            fs::remove(pending, ignored);
            return reasonFor(*failure, file);
        }
        syncFolder(file.parent_path());
        return std::nullopt;
    } catch (...) { // out of memory for a path: the work stays as it was on the disk
        return reasonFor(Failure::Other, file);
    }
}

FileBytes readSmallFile(const fs::path& file, std::size_t limit) noexcept
{
    try {
        std::error_code error;
        const fs::file_status status = fs::status(file, error);
        if (!fs::exists(status))
            return {std::nullopt, "файл не найден"};
        // A folder, a pipe or a device under the name is no work; reading a pipe would wait.
        if (!fs::is_regular_file(status))
            return {std::nullopt, "это не файл"};
        const auto size = fs::file_size(file, error);
        if (error)
            return {std::nullopt, "файл не читается"};
        if (size > limit)
            return {std::nullopt, "файл больше, чем бывает сохраненная работа"};
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return {std::nullopt, "файл не читается"};
        std::string bytes(static_cast<std::size_t>(size), '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        if (in.bad())
            return {std::nullopt, "файл не читается"};
        return {std::move(bytes), {}};
    } catch (...) {
        return {std::nullopt, "файл не читается"};
    }
}

std::string displayName(const fs::path& file)
{
    const std::u8string name = file.filename().u8string();
    return std::string(name.begin(), name.end());
}

} // namespace kvarton::work
