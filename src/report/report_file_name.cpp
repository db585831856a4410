#include "report_file_name.h"

#include <string_view>

namespace kvarton::report {

namespace {

constexpr std::string_view kStem = "Отчет Квартон";
constexpr std::string_view kDash = " — ";

bool forbidden(unsigned char c)
{
    return c < 0x20 || c == 0x7f
        || std::string_view(R"(<>:"/\|?*)").find(static_cast<char>(c)) != std::string_view::npos;
}

// The length of the UTF-8 sequence a lead byte begins; a stray byte counts alone.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xf0)
        return 4;
    if (lead >= 0xe0)
        return 3;
    if (lead >= 0xc0)
        return 2;
    return 1;
}

std::string safePart(std::string_view typed)
{
    std::string part;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < typed.size() && characters < kFileNamePartLength;) {
        const auto c = static_cast<unsigned char>(typed[i]);
        const std::size_t length = std::min(sequenceLength(c), typed.size() - i);
        std::string_view character = typed.substr(i, length);
        i += length;
        // The no-break space of a typed "№ 7" keeps its place as a plain blank.
        const bool blank = (length == 1 && (forbidden(c) || c == ' ')) || character == "\u00A0";
        if (blank) {
            if (!part.empty() && part.back() != ' ')
                part += ' ', ++characters;
            continue;
        }
        part += character;
        ++characters;
    }
    while (!part.empty() && (part.back() == ' ' || part.back() == '.'))
        part.pop_back();
    while (!part.empty() && (part.front() == ' ' || part.front() == '.'))
        part.erase(part.begin());
    return part;
}

} // namespace

std::string reportFileStem(std::string_view surname, std::string_view institution)
{
    std::string stem(kStem);
    for (std::string_view typed : {surname, institution})
        if (const std::string part = safePart(typed); !part.empty())
            stem.append(kDash).append(part);
    return stem;
}

} // namespace kvarton::report
