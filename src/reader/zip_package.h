#pragma once

#include "read_limits.h"
#include "refusal.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvarton::reader {

struct ZipMemory; // the bytes as minizip reads them

// The zip package of a workbook, read from bytes in memory with minizip, within the limits: no
// more entries than allowed, and every part read checked against its declared sizes, its
// compression ratio and its checksum before anyone sees it. The file's name never reaches
// minizip, so no path goes through a code page on Windows.
class ZipPackage final {
public:
    // Opens the package held in `bytes`, which must outlive it.
    static Read<ZipPackage> open(std::string_view bytes, const ReadLimits& limits);

    ZipPackage(ZipPackage&&) noexcept;
    ZipPackage& operator=(ZipPackage&&) noexcept;
    ~ZipPackage();

    // The names of the entries, in the order of the package.
    const std::vector<std::string>& names() const { return names_; }

    // The unpacked bytes of the part `name` (without a leading '/'; compared as part names are,
    // ignoring ASCII case); nullopt when there is no such part.
    Read<std::optional<std::string>> part(std::string_view name);

private:
    struct Entry {
        std::uint64_t offset = 0; // of its central directory record
        std::uint64_t entryNumber = 0;
        std::uint64_t packed = 0;
        std::uint64_t size = 0;
        bool encrypted = false;
    };
    struct Closer {
        void operator()(void* zip) const noexcept;
    };

    ZipPackage(std::unique_ptr<ZipMemory> memory, const ReadLimits& limits);
    Read<std::string> unpack(const std::string& name, const Entry& entry);

    std::unique_ptr<ZipMemory> memory_; // before zip_: minizip reads through it until it is closed
    std::unique_ptr<void, Closer> zip_;
    ReadLimits limits_;
    std::vector<std::string> names_;
    std::map<std::string, Entry> entries_; // by lower-case name
    std::size_t unpacked_ = 0;
};

} // namespace kvarton::reader
