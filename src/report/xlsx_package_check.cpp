#include "xlsx_package_check.h"

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>

namespace kvarton::report {

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentralDirectory = 0x06054b50;
constexpr std::size_t kMaxMemberSize = std::size_t{64} << 20; // far beyond any report part

bool fits(std::string_view bytes, std::size_t at, std::size_t length)
{
    return at <= bytes.size() && length <= bytes.size() - at;
}

// A little-endian field of the zip format; the caller has checked that it `fits`.
std::uint32_t le(std::string_view bytes, std::size_t at, std::size_t width)
{
    std::uint32_t v = 0;
    for (std::size_t i = width; i > 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(bytes[at + i - 1]);
    return v;
}

std::optional<std::string> inflateRaw(std::string_view data, std::size_t size)
{
    if (size > kMaxMemberSize)
        return std::nullopt;
    std::string out(size, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&z, Z_FINISH);
    const bool whole = result == Z_STREAM_END && z.total_out == size;
    inflateEnd(&z);
    if (!whole)
        return std::nullopt;
    return out;
}

bool endsWithRootEndTag(std::string_view xml)
{
    // The root is the first element after the declaration and any comments.
    std::size_t at = 0;
    while ((at = xml.find('<', at)) != std::string_view::npos && at + 1 < xml.size()
        && (xml[at + 1] == '?' || xml[at + 1] == '!'))
        ++at;
    if (at == std::string_view::npos)
        return false;
    const std::size_t nameEnd = xml.find_first_of(" \t\r\n/>", at + 1);
    if (nameEnd == std::string_view::npos)
        return false;
    const std::string_view root = xml.substr(at + 1, nameEnd - at - 1);
    const std::size_t last = xml.find_last_not_of(" \t\r\n");
    if (last == std::string_view::npos)
        return false;
    const std::string_view body = xml.substr(0, last + 1);
    const std::string endTag = "</" + std::string(root) + ">";
    if (body.ends_with(endTag))
        return true;
    // An empty root element: <root .../> is the whole document after the declaration.
    return body.ends_with("/>") && body.find('<', at + 1) == std::string_view::npos;
}

bool isXml(std::string_view name) { return name.ends_with(".xml") || name.ends_with(".rels"); }

// The member whose central directory header starts at `at`, inflated and checked; the offset of
// the next header, or nullopt when the member is not whole.
std::optional<std::size_t> checkMember(std::string_view zip, std::size_t at)
{
    if (!fits(zip, at, 46) || le(zip, at, 4) != kCentralHeader)
        return std::nullopt;
    const std::uint32_t method = le(zip, at + 10, 2), crc = le(zip, at + 16, 4), packed = le(zip, at + 20, 4),
                        size = le(zip, at + 24, 4), nameLength = le(zip, at + 28, 2), local = le(zip, at + 42, 4);
    const std::size_t next = at + 46 + nameLength + le(zip, at + 30, 2) + le(zip, at + 32, 2);
    if (!fits(zip, at + 46, nameLength) || !fits(zip, local, 30) || le(zip, local, 4) != kLocalHeader)
        return std::nullopt;
    const std::string_view name = zip.substr(at + 46, nameLength);
    const std::size_t dataAt = std::size_t{local} + 30 + le(zip, local + 26, 2) + le(zip, local + 28, 2);
    if (!fits(zip, dataAt, packed))
        return std::nullopt;
    const std::string_view data = zip.substr(dataAt, packed);
    std::optional<std::string> content;
    if (method == 0 && packed == size)
        content = std::string(data);
    else if (method == Z_DEFLATED)
        content = inflateRaw(data, size);
    if (!content)
        return std::nullopt;
    const auto sum = crc32(0L, reinterpret_cast<const Bytef*>(content->data()), static_cast<uInt>(content->size()));
    if (sum != crc || (isXml(name) && !endsWithRootEndTag(*content)))
        return std::nullopt;
    return next;
}

} // namespace

bool isCompleteXlsxPackage(std::string_view zip)
{
    if (zip.size() < 22)
        return false;
    // The end record stands last, after a comment of up to 65535 bytes.
    std::size_t end = zip.size() - 22;
    while (le(zip, end, 4) != kEndOfCentralDirectory) {
        if (end == 0 || zip.size() - end > 22 + 65535)
            return false;
        --end;
    }
    const std::uint32_t count = le(zip, end + 10, 2);
    std::optional<std::size_t> at = le(zip, end + 16, 4);
    for (std::uint32_t i = 0; i < count && at; ++i)
        at = checkMember(zip, *at);
    return count > 0 && at.has_value();
}

} // namespace kvarton::report
