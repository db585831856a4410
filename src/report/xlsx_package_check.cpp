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

// Little-endian fields of the zip format, read with bounds checks.
class Reader final {
public:
    explicit Reader(std::string_view bytes)
        : bytes_(bytes)
    {
    }

    std::optional<std::uint32_t> u32(std::size_t at) const { return le(at, 4); }
    std::optional<std::uint16_t> u16(std::size_t at) const
    {
        const auto v = le(at, 2);
        return v ? std::optional<std::uint16_t>(static_cast<std::uint16_t>(*v)) : std::nullopt;
    }
    std::optional<std::string_view> slice(std::size_t at, std::size_t length) const
    {
        if (at > bytes_.size() || length > bytes_.size() - at)
            return std::nullopt;
        return bytes_.substr(at, length);
    }
    std::size_t size() const noexcept { return bytes_.size(); }

private:
    std::optional<std::uint32_t> le(std::size_t at, std::size_t width) const
    {
        if (at > bytes_.size() || width > bytes_.size() - at)
            return std::nullopt;
        std::uint32_t v = 0;
        for (std::size_t i = width; i > 0; --i)
            v = (v << 8) | static_cast<std::uint8_t>(bytes_[at + i - 1]);
        return v;
    }

    std::string_view bytes_;
};

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

} // namespace

bool isCompleteXlsxPackage(std::string_view bytes)
{
    const Reader zip(bytes);
    if (zip.size() < 22)
        return false;
    // The end record stands last, after a comment of up to 65535 bytes.
    std::optional<std::size_t> end;
    for (std::size_t at = zip.size() - 22;; --at) {
        if (zip.u32(at) == kEndOfCentralDirectory) {
            end = at;
            break;
        }
        if (at == 0 || zip.size() - at > 22 + 65535)
            break;
    }
    if (!end)
        return false;
    const auto count = zip.u16(*end + 10);
    const auto directory = zip.u32(*end + 16);
    if (!count || !directory || *count == 0)
        return false;

    std::size_t at = *directory;
    for (std::uint16_t i = 0; i < *count; ++i) {
        if (zip.u32(at) != kCentralHeader)
            return false;
        const auto method = zip.u16(at + 10);
        const auto crc = zip.u32(at + 16);
        const auto packed = zip.u32(at + 20);
        const auto size = zip.u32(at + 24);
        const auto nameLength = zip.u16(at + 28);
        const auto extraLength = zip.u16(at + 30);
        const auto commentLength = zip.u16(at + 32);
        const auto local = zip.u32(at + 42);
        if (!method || !crc || !packed || !size || !nameLength || !extraLength || !commentLength || !local)
            return false;
        const auto name = zip.slice(at + 46, *nameLength);
        if (!name || zip.u32(*local) != kLocalHeader)
            return false;
        const auto localName = zip.u16(*local + 26);
        const auto localExtra = zip.u16(*local + 28);
        if (!localName || !localExtra)
            return false;
        const auto data = zip.slice(std::size_t{*local} + 30 + *localName + *localExtra, *packed);
        if (!data)
            return false;

        std::optional<std::string> content;
        if (*method == 0 && *packed == *size)
            content = std::string(*data);
        else if (*method == Z_DEFLATED)
            content = inflateRaw(*data, *size);
        if (!content)
            return false;
        const auto sum = crc32(0L, reinterpret_cast<const Bytef*>(content->data()), static_cast<uInt>(content->size()));
        if (sum != *crc || (isXml(*name) && !endsWithRootEndTag(*content)))
            return false;
        at += 46 + std::size_t{*nameLength} + *extraLength + *commentLength;
    }
    return true;
}

} // namespace kvarton::report
