#include "file_bytes.h"

#include "read_problem.h"
#include "model/utf8_path.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace kvarton::reader {

namespace fs = std::filesystem;

Read<std::string> readFileBytes(const std::string& path, std::size_t limit)
{
    const fs::path file = pathFromUtf8(path);
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    std::error_code linkError;
    if (ec && fs::is_symlink(fs::symlink_status(file, linkError)))
        return Refusal{why::brokenLink()};
    if (status.type() == fs::file_type::not_found)
        return Refusal{why::notFound()};
    if (status.type() == fs::file_type::directory)
        return Refusal{why::notAFile()};
    if (ec)
        return Refusal{why::unreadable()};
    // A pipe or a device could keep the reading waiting for ever.
    if (status.type() != fs::file_type::regular)
        return Refusal{why::notARegularFile()};
    if (const std::uintmax_t size = fs::file_size(file, ec); !ec && size > limit)
        return Refusal{why::fileTooLarge(limit)};

    std::ifstream in(file, std::ios::binary);
    if (!in)
        return Refusal{why::unreadable()};
    std::string bytes;
    constexpr std::size_t kChunk = 64 * 1024;
    while (in && bytes.size() <= limit) {
        const std::size_t at = bytes.size();
        bytes.resize(at + kChunk);
        in.read(bytes.data() + at, static_cast<std::streamsize>(kChunk));
        bytes.resize(at + static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad())
        return Refusal{why::unreadable()};
    if (bytes.size() > limit) // the file grew while it was read
        return Refusal{why::fileTooLarge(limit)};
    if (bytes.empty())
        return Refusal{why::emptyFile()};
    return bytes;
}

} // namespace kvarton::reader
