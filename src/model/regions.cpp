#include "regions.h"

#include <array>
#include <cstdint>

namespace kvarton {

namespace {

constexpr std::array<Region, 83> kRegions{{
    {"Республика Башкортостан", 0.239813937159909},
    {"Республика Бурятия", 0.257261716692996},
    {"Республика Дагестан", 0.189317184483061},
    {"Кабардино-Балкарская Республика", 0.224974548007723},
    {"Республика Калмыкия", 0.213287695278217},
    {"Республика Карелия", 0.30140775846937},
    {"Республика Коми", 0.349138142882219},
    {"Республика Марий Эл", 0.197858522029138},
    {"Республика Мордовия", 0.20090925048271},
    {"Республика Северная Осетия – Алания", 0.194565560821485},
    {"Республика Татарстан (Татарстан)", 0.242854133754608},
    {"Республика Тыва", 0.298213094611199},
    {"Удмуртская Республика", 0.226922941899245},
    {"Республика Ингушетия", 0.318462348604529},
    {"Чувашская Республика – Чувашия", 0.226617517991926},
    {"Республика Саха (Якутия)", 0.412417061611374},
    {"Алтайский край", 0.202460944356679},
    {"Краснодарский край", 0.260993505353695},
    {"Красноярский край", 0.335218536071617},
    {"Приморский край", 0.28695102685624},
    {"Ставропольский край", 0.231648235913639},
    {"Хабаровский край", 0.378606284009128},
    {"Амурская область", 0.308709847288046},
    {"Архангельская область", 0.354555028962612},
    {"Астраханская область", 0.24394242583816},
    {"Белгородская область", 0.262520624890293},
    {"Брянская область", 0.208214849921011},
    {"Владимирская область", 0.265992627698789},
    {"Волгоградская область", 0.249366333157802},
    {"Вологодская область", 0.295232578550114},
    {"Воронежская область", 0.272887484641039},
    {"Нижегородская область", 0.285606459540109},
    {"Ивановская область", 0.223545725820607},
    {"Иркутская область", 0.277914691943128},
    {"Калининградская область", 0.359554151307706},
    {"Тверская область", 0.251651746533263},
    {"Калужская область", 0.312385466034755},
    {"Камчатский край", 0.643184131999298},
    {"Кемеровская область", 0.303615938213095},
    {"Кировская область", 0.226779006494646},
    {"Костромская область", 0.230903984553274},
    {"Самарская область", 0.295794277690012},
    {"Курганская область", 0.210486220817974},
    {"Курская область", 0.222092329296121},
    {"Ленинградская область", 0.414762155520449},
    {"Липецкая область", 0.24598560645954},
    {"Магаданская область", 0.503078813410567},
    {"Московская область", 0.475857468843251},
    {"Мурманская область", 0.504254870984729},
    {"Новгородская область", 0.30849569949096},
    {"Новосибирская область", 0.361709671757065},
    {"Омская область", 0.246020712655784},
    {"Оренбургская область", 0.215815341407758},
    {"Орловская область", 0.232483763384237},
    {"Пензенская область", 0.23332280147446},
    {"Пермский край", 0.268323679129366},
    {"Псковская область", 0.252160786378796},
    {"Ростовская область", 0.250064946463051},
    {"Рязанская область", 0.251251535896086},
    {"Саратовская область", 0.220832016850974},
    {"Сахалинская область", 0.638564156573635},
    {"Свердловская область", 0.312933122696156},
    {"Смоленская область", 0.244479550640688},
    {"Тамбовская область", 0.221909777075654},
    {"Томская область", 0.345894330349307},
    {"Тульская область", 0.260575741618396},
    {"Тюменская область", 0.616092680358083},
    {"Ульяновская область", 0.230387923468492},
    {"Челябинская область", 0.270535369492715},
    {"Ярославская область", 0.295790767070388},
    {"г. Санкт-Петербург", 1.0},
    {"г. Москва", 0.458437774267158},
    {"Республика Адыгея (Адыгея)", 0.226417412673337},
    {"Республика Алтай", 0.223903809022292},
    {"Еврейская АО", 0.252308232403019},
    {"Карачаево-Черкесская Республика", 0.185136036510444},
    {"Республика Хакасия", 0.2335158855538},
    {"Ненецкий АО", 0.94171318237669},
    {"Ханты-Мансийский АО", 0.636261190100053},
    {"Чукотский АО", 0.843584342636475},
    {"Ямало-Ненецкий АО", 0.835983851149728},
    {"Забайкальский край", 0.273649289099526},
    {"Чеченская республика", 0.239992978760751},
}};

// The blanks a text may carry around a name: those a keyboard types, and the no-break space that
// spreadsheet programs and texts copied from web pages leave.
constexpr std::string_view kBlanks[] = {" ", "\t", "\r", "\n", "\xC2\xA0"};

std::string_view withoutBlanks(std::string_view text) noexcept
{
    for (bool cut = true; cut;) {
        cut = false;
        for (const std::string_view blank : kBlanks) {
            if (text.starts_with(blank)) {
                text.remove_prefix(blank.size());
                cut = true;
            }
            if (text.ends_with(blank)) {
                text.remove_suffix(blank.size());
                cut = true;
            }
        }
    }
    return text;
}

constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// The character that starts at `at` (moving `at` past it), as the rule compares it: capital
// Latin and Cyrillic letters as small ones, «ё» as «е». A byte that starts no character is
// kNoCharacter, which equals no character of a name.
char32_t nextFolded(std::string_view s, std::size_t& at) noexcept
{
    const auto lead = static_cast<std::uint8_t>(s[at++]);
    const std::size_t more = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 3;
    if ((lead & 0xC0) == 0x80 || (lead & 0xF8) == 0xF8 || more > s.size() - at)
        return kNoCharacter;
    char32_t c = more == 0 ? lead : lead & (0x3Fu >> more);
    for (std::size_t i = 0; i < more; ++i) {
        const auto next = static_cast<std::uint8_t>(s[at++]);
        if ((next & 0xC0) != 0x80)
            return kNoCharacter;
        c = (c << 6) | (next & 0x3Fu);
    }
    if (c >= U'A' && c <= U'Z')
        return c + (U'a' - U'A');
    if (c >= U'А' && c <= U'Я')
        c += U'а' - U'А';
    else if (c >= U'Ѐ' && c <= U'Џ') // Ё and the capitals of other Cyrillic alphabets
        c += U'ѐ' - U'Ѐ';
    return c == U'ё' ? U'е' : c;
}

bool sameName(std::string_view text, std::string_view name) noexcept
{
    std::size_t i = 0, j = 0;
    while (i < text.size() && j < name.size())
        if (nextFolded(text, i) != nextFolded(name, j))
            return false;
    return i == text.size() && j == name.size();
}

} // namespace

std::span<const Region> regions() noexcept { return kRegions; }

const Region* findRegion(std::string_view text) noexcept
{
    const std::string_view name = withoutBlanks(text);
    for (const Region& r : kRegions)
        if (sameName(name, r.name))
            return &r;
    return nullptr;
}

std::optional<std::string_view> keptRegionName(std::string_view text) noexcept
{
    if (withoutBlanks(text).empty())
        return std::string_view();
    if (const Region* region = findRegion(text))
        return region->name;
    return std::nullopt;
}

std::optional<double> regionCoefficient(std::string_view name) noexcept
{
    if (const Region* region = findRegion(name))
        return region->coefficient;
    return std::nullopt;
}

} // namespace kvarton
