#include "zip_package.h"

#include "read_problem.h"

#include <ioapi.h>
#include <unzip.h>

#include <algorithm>
#include <cstring>

namespace kvarton::reader {

// The file minizip reads: the bytes in memory and a position in them.
struct ZipMemory {
    std::string_view bytes;
    ZPOS64_T position = 0;
};

namespace {

using Memory = ZipMemory;

std::string lowerAscii(std::string_view name)
{
    std::string out(name);
    std::transform(
        out.begin(), out.end(), out.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    return out;
}

// --- minizip's file functions over the memory ----------------------------------------------------

voidpf ZCALLBACK openMemory(voidpf opaque, const void* /*filename*/, int mode)
{
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    static_cast<Memory*>(opaque)->position = 0;
    return opaque;
}

uLong ZCALLBACK readMemory(voidpf /*opaque*/, voidpf stream, void* buffer, uLong size)
{
    auto* memory = static_cast<Memory*>(stream);
    const ZPOS64_T total = memory->bytes.size();
    const ZPOS64_T left = memory->position < total ? total - memory->position : 0;
    const auto count = static_cast<std::size_t>(std::min<ZPOS64_T>(left, size));
    if (count > 0)
        std::memcpy(buffer, memory->bytes.data() + memory->position, count);
    memory->position += count;
    return static_cast<uLong>(count);
}

uLong ZCALLBACK writeMemory(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK tellMemory(voidpf /*opaque*/, voidpf stream) { return static_cast<Memory*>(stream)->position; }

long ZCALLBACK seekMemory(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* memory = static_cast<Memory*>(stream);
    const ZPOS64_T total = memory->bytes.size();
    ZPOS64_T base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        base = 0;
        break;
    case ZLIB_FILEFUNC_SEEK_CUR:
        base = memory->position;
        break;
    case ZLIB_FILEFUNC_SEEK_END:
        base = total;
        break;
    default:
        return -1;
    }
    // Offsets come from the file itself: a position outside it is an error, never a wrap-around.
    if (offset > total || base > total - offset)
        return -1;
    memory->position = base + offset;
    return 0;
}

int ZCALLBACK closeMemory(voidpf, voidpf) { return 0; }
int ZCALLBACK errorMemory(voidpf, voidpf) { return 0; }

bool startsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

// Whether the package's end record stands whole at its end, as the last thing written. minizip finds
// the record by its signature and reads on where a file cut short has lost the record's last bytes;
// such a file is damaged all the same.
bool endsWithItsEndRecord(std::string_view bytes) noexcept
{
    constexpr std::size_t kRecord = 22; // the record without its comment
    constexpr std::size_t kLongestComment = 0xFFFF;
    if (bytes.size() < kRecord)
        return false;
    const std::size_t lowest = bytes.size() > kRecord + kLongestComment ? bytes.size() - kRecord - kLongestComment : 0;
    for (std::size_t at = bytes.size() - kRecord + 1; at-- > lowest;)
        if (bytes.substr(at, 4) == std::string_view("PK\x05\x06", 4)) {
            const std::size_t comment = static_cast<unsigned char>(bytes[at + 20])
                | static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 21])) << 8;
            return at + kRecord + comment == bytes.size();
        }
    return false;
}

} // namespace

void ZipPackage::Closer::operator()(void* zip) const noexcept { unzClose(zip); }

ZipPackage::ZipPackage(std::unique_ptr<ZipMemory> memory, const ReadLimits& limits)
    : memory_(std::move(memory))
    , limits_(limits)
{
}

ZipPackage::ZipPackage(ZipPackage&&) noexcept = default;
ZipPackage& ZipPackage::operator=(ZipPackage&&) noexcept = default;
ZipPackage::~ZipPackage() = default;

Read<ZipPackage> ZipPackage::open(std::string_view bytes, const ReadLimits& limits)
{
    // The compound file of an old .xls, or of a workbook encrypted with a password.
    if (startsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return Refusal{why::oldFormatOrPassword()};
    if (!startsWith(bytes, "PK"))
        return Refusal{why::notXlsx()};
    if (!endsWithItsEndRecord(bytes))
        return Refusal{why::damagedPackage()};

    ZipPackage package(std::make_unique<Memory>(Memory{bytes, 0}), limits);
    zlib_filefunc64_def functions{};
    functions.zopen64_file = openMemory;
    functions.zread_file = readMemory;
    functions.zwrite_file = writeMemory;
    functions.ztell64_file = tellMemory;
    functions.zseek64_file = seekMemory;
    functions.zclose_file = closeMemory;
    functions.zerror_file = errorMemory;
    functions.opaque = package.memory_.get();
    package.zip_.reset(unzOpen2_64("workbook", &functions));
    unzFile zip = package.zip_.get();
    if (!zip)
        return Refusal{why::damagedPackage()};

    unz_global_info64 global{};
    if (unzGetGlobalInfo64(zip, &global) != UNZ_OK)
        return Refusal{why::damagedPackage()};
    if (global.number_entry > limits.entries)
        return Refusal{why::tooManyParts(limits.entries)};
    if (global.number_entry == 0)
        return Refusal{why::notXlsx()};

    int status = unzGoToFirstFile(zip);
    while (status == UNZ_OK) {
        // The count of the end record may lie; the entries found are what counts.
        if (package.names_.size() == limits.entries)
            return Refusal{why::tooManyParts(limits.entries)};
        unz_file_info64 info{};
        char name[512];
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
            return Refusal{why::damagedPackage()};
        unz64_file_pos position{};
        if (unzGetFilePos64(zip, &position) != UNZ_OK)
            return Refusal{why::damagedPackage()};
        // A name longer than the buffer is cut short by minizip; no part a reader looks for has one.
        if (info.size_filename < sizeof name) {
            std::string entryName(name, info.size_filename);
            package.entries_.try_emplace(lowerAscii(entryName),
                Entry{position.pos_in_zip_directory, position.num_of_file, info.compressed_size, info.uncompressed_size,
                    (info.flag & 1u) != 0});
            package.names_.push_back(std::move(entryName));
        } else {
            package.names_.emplace_back(name, sizeof name - 1);
        }
        status = unzGoToNextFile(zip);
    }
    if (status != UNZ_END_OF_LIST_OF_FILE)
        return Refusal{why::damagedPackage()};
    return package;
}

Read<std::optional<std::string>> ZipPackage::part(std::string_view name)
{
    const auto found = entries_.find(lowerAscii(name));
    if (found == entries_.end())
        return std::optional<std::string>();
    auto bytes = unpack(std::string(name), found->second);
    if (const Refusal* r = refusal(bytes))
        return *r;
    return std::optional<std::string>(std::move(std::get<std::string>(bytes)));
}

Read<std::string> ZipPackage::unpack(const std::string& name, const Entry& entry)
{
    if (entry.encrypted)
        return Refusal{why::encryptedPart(name)};
    if (entry.size > limits_.partBytes)
        return Refusal{why::partTooLarge(name, limits_.partBytes)};
    if (entry.size > limits_.totalBytes - unpacked_)
        return Refusal{why::tooMuchUnpacked(limits_.totalBytes)};
    if (entry.size > limits_.ratioFrom && entry.size / limits_.ratio > entry.packed)
        return Refusal{why::packedSuspiciously(name, limits_.ratio)};

    unzFile zip = zip_.get();
    const unz64_file_pos position{entry.offset, entry.entryNumber};
    if (unzGoToFilePos64(zip, &position) != UNZ_OK || unzOpenCurrentFile(zip) != UNZ_OK)
        return Refusal{why::damagedPart(name)};
    // Never more than the declared size, whatever the packed data unfolds to: one byte beyond it
    // is enough to know the part lies about its size.
    const auto size = static_cast<std::size_t>(entry.size);
    std::string out(size, '\0');
    std::size_t got = 0;
    int read = 1;
    while (got < size && read > 0) {
        const auto want = static_cast<unsigned>(std::min<std::size_t>(size - got, 1u << 16));
        read = unzReadCurrentFile(zip, out.data() + got, want);
        if (read > 0)
            got += static_cast<std::size_t>(read);
    }
    char beyond = 0;
    const bool whole = read >= 0 && got == size && unzReadCurrentFile(zip, &beyond, 1) == 0;
    // Closing checks the checksum, once the whole part has been read.
    const bool checked = unzCloseCurrentFile(zip) == UNZ_OK;
    if (!whole || !checked)
        return Refusal{why::damagedPart(name)};
    unpacked_ += size;
    return out;
}

} // namespace kvarton::reader
