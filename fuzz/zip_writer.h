#pragma once

// A small zip writer for the reader's tests and fuzzer: packages made to measure, sound or lying
// about their sizes, without a file on disk.

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvarton::testzip {

struct ZipEntry {
    ZipEntry(std::string entryName, std::string entryContent, bool deflated = true)
        : name(std::move(entryName))
        , content(std::move(entryContent))
        , deflate(deflated)
    {
    }

    std::string name;
    std::string content;
    bool deflate = true;
    std::optional<std::uint32_t> declaredSize; // written instead of the true unpacked size
    bool encrypted = false; // the flag alone, the data stays plain
};

inline std::string rawDeflate(std::string_view data)
{
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline void putLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline std::string zipOf(const std::vector<ZipEntry>& entries)
{
    std::string out, central;
    for (const ZipEntry& e : entries) {
        const std::string data = e.deflate ? rawDeflate(e.content) : e.content;
        const auto crc = static_cast<std::uint32_t>(
            crc32(0L, reinterpret_cast<const Bytef*>(e.content.data()), static_cast<uInt>(e.content.size())));
        const std::uint32_t size = e.declaredSize.value_or(static_cast<std::uint32_t>(e.content.size()));
        const auto offset = static_cast<std::uint32_t>(out.size());
        const std::uint32_t flags = e.encrypted ? 1 : 0;
        const std::uint32_t method = e.deflate ? 8 : 0;
        auto common = [&](std::string& to) {
            putLe(to, 20, 2); // version needed
            putLe(to, flags, 2);
            putLe(to, method, 2);
            putLe(to, 0, 4); // time and date
            putLe(to, crc, 4);
            putLe(to, static_cast<std::uint32_t>(data.size()), 4);
            putLe(to, size, 4);
            putLe(to, static_cast<std::uint32_t>(e.name.size()), 2);
            putLe(to, 0, 2); // extra field
        };
        putLe(out, 0x04034b50, 4);
        common(out);
        out += e.name;
        out += data;
        putLe(central, 0x02014b50, 4);
        putLe(central, 20, 2); // version made by
        common(central);
        putLe(central, 0, 2); // comment
        putLe(central, 0, 2); // disk
        putLe(central, 0, 2); // internal attributes
        putLe(central, 0, 4); // external attributes
        putLe(central, offset, 4);
        central += e.name;
    }
    const auto centralAt = static_cast<std::uint32_t>(out.size());
    out += central;
    putLe(out, 0x06054b50, 4);
    putLe(out, 0, 4); // disks
    putLe(out, static_cast<std::uint32_t>(entries.size()), 2);
    putLe(out, static_cast<std::uint32_t>(entries.size()), 2);
    putLe(out, static_cast<std::uint32_t>(central.size()), 4);
    putLe(out, centralAt, 4);
    putLe(out, 0, 2); // comment
    return out;
}

} // namespace kvarton::testzip
