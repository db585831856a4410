#include "durable_file.h"
#include "model/utf8_path.h"

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

// What went wrong with a file, as far as a learner can do something about it. NameTaken is no
// failure of a writing: a file that had to be new was there already.
enum class Failure { NoSpace, NoPermission, NoFolder, NameTaken, Other };

std::string quoted(const fs::path& file) { return "«" + displayName(file) + "»"; }

std::string reasonFor(Failure failure, const fs::path& file)
{
    switch (failure) {
    case Failure::NoSpace:
        return "на диске не хватило места для файла " + quoted(file);
    // The folder by its whole path: the learner has to find out where the file should have been.
    case Failure::NoPermission:
        if (file.has_parent_path())
            return "нет прав на запись файла " + quoted(file) + " в папку «" + displayPath(file.parent_path()) + "»";
        return "нет прав на запись файла " + quoted(file);
    case Failure::NoFolder:
        if (file.has_parent_path())
            return "нет папки «" + displayPath(file.parent_path()) + "» для файла " + quoted(file);
        return "нет папки для файла " + quoted(file);
    case Failure::NameTaken:
    case Failure::Other:
        break;
    }
    return "не удалось записать файл " + quoted(file);
}

// Opening a file for writing: in place of whatever has its name, or only where nothing has it.
enum class Opening { Replace, Exclusive };

#ifdef _WIN32

using Handle = HANDLE;

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
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return Failure::NameTaken;
    default:
        return Failure::Other;
    }
}

std::optional<Failure> openForWriting(const fs::path& file, Opening opening, Handle& handle)
{
    handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr,
        opening == Opening::Exclusive ? CREATE_NEW : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failureOf(GetLastError());
    return std::nullopt;
}

std::optional<Failure> writeAll(Handle handle, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return failureOf(GetLastError());
        done += written;
    }
    return std::nullopt;
}

std::optional<Failure> flushToDisk(Handle handle)
{
    if (FlushFileBuffers(handle))
        return std::nullopt;
    return failureOf(GetLastError());
}

std::optional<Failure> closeHandle(Handle handle)
{
    if (CloseHandle(handle))
        return std::nullopt;
    return failureOf(GetLastError());
}

std::optional<Failure> replace(const fs::path& from, const fs::path& to)
{
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return std::nullopt;
    return failureOf(GetLastError());
}

void syncFolder(const fs::path&) { } // MOVEFILE_WRITE_THROUGH has put the renaming on the disk

#else

using Handle = int;

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
    case EEXIST:
        return Failure::NameTaken;
    default:
        return Failure::Other;
    }
}

std::optional<Failure> openForWriting(const fs::path& file, Opening opening, Handle& handle)
{
    // Read and written by the learner alone: it holds their name.
    const int how = O_WRONLY | O_CREAT | O_CLOEXEC | (opening == Opening::Exclusive ? O_EXCL : O_TRUNC);
    handle = ::open(file.c_str(), how, 0600);
    if (handle < 0)
        return failureOf(errno);
    return std::nullopt;
}

std::optional<Failure> writeAll(Handle handle, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(handle, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return failureOf(written < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(written);
    }
    return std::nullopt;
}

std::optional<Failure> flushToDisk(Handle handle)
{
    if (::fsync(handle) == 0)
        return std::nullopt;
    return failureOf(errno);
}

std::optional<Failure> closeHandle(Handle handle)
{
    if (::close(handle) == 0)
        return std::nullopt;
    return failureOf(errno);
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

// Writes `bytes` into a file opened as `opening` says, flushed to the disk when `flush` is set. A
// file this made and could not fill is removed.
std::optional<Failure> writeFile(const fs::path& file, std::string_view bytes, Opening opening, bool flush)
{
    Handle handle{};
    if (const auto failure = openForWriting(file, opening, handle))
        return failure;
    std::optional<Failure> failure = writeAll(handle, bytes);
    if (!failure && flush)
        failure = flushToDisk(handle);
    if (const auto closing = closeHandle(handle); !failure)
        failure = closing;
    if (failure) {
        std::error_code ignored;
        fs::remove(file, ignored);
    }
    return failure;
}

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

fs::path fileOfVersion(const fs::path& version)
{
    const std::u8string name = version.filename().u8string();
    if (endsWith(name, kPending))
        return version.parent_path() / fs::path(name.substr(0, name.size() - kPending.size()));
    std::u8string stem = version.stem().u8string();
    if (!endsWith(stem, kPrevious))
        return version;
    stem.resize(stem.size() - kPrevious.size());
    return version.parent_path() / fs::path(stem + version.extension().u8string());
}

std::optional<std::string> writeKeepingPrevious(const fs::path& file, std::string_view bytes) noexcept
{
    try {
        const fs::path pending = pendingVersionOf(file);
        std::error_code ignored;
        if (const auto failure = writeFile(pending, bytes, Opening::Replace, true))
            return reasonFor(*failure, file);
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

CreationResult createExclusively(const fs::path& file, std::string_view bytes) noexcept
{
    try {
        const auto failure = writeFile(file, bytes, Opening::Exclusive, true);
        if (!failure) {
            syncFolder(file.parent_path());
            return {Creation::Created, {}};
        }
        if (*failure == Failure::NameTaken)
            return {Creation::NameTaken, {}};
        return {Creation::Failed, reasonFor(*failure, file)};
    } catch (...) {
        return {Creation::Failed, reasonFor(Failure::Other, file)};
    }
}

std::optional<std::string> whyNotAFile(const fs::path& path) noexcept
{
    try {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error == std::errc::too_many_symbolic_link_levels)
            return "ссылка ведет по кругу";
        if (status.type() == fs::file_type::not_found) {
            std::error_code linkError;
            if (fs::is_symlink(fs::symlink_status(path, linkError)))
                return "ссылка ведет на файл, которого нет";
            return "файл не найден";
        }
        if (error)
            return "файл не читается";
        switch (status.type()) {
        case fs::file_type::regular:
            return std::nullopt;
        case fs::file_type::directory:
            return "это не файл, а папка";
        default: // reading a pipe would wait, a device would give anything
            return "это не файл с данными, а устройство или канал";
        }
    } catch (...) {
        return "файл не читается";
    }
}

FileBytes readSmallFile(const fs::path& file, std::size_t limit) noexcept
{
    try {
        if (auto problem = whyNotAFile(file))
            return {std::nullopt, std::move(*problem)};
        std::error_code error;
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

std::string displayPath(const fs::path& path) { return utf8Of(path); }

} // namespace kvarton::work
