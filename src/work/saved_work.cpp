#include "saved_work.h"

#include "model/defaults.h"
#include "model/field_keys.h"
#include "model/regions.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <optional>

namespace kvarton::work {

namespace {

// Ordered, so that a file lists its members as this program writes them and a kept member stays
// where it was.
using Json = nlohmann::ordered_json;

constexpr int kFirstStep = 1;
constexpr int kLastStep = 16;
// Values of every kind in a file, kept members included: far more than a work of a later minor
// version could hold, few enough to read in a moment.
constexpr std::size_t kMaxValues = 64 * 1024;

// The identity texts, in the order a file holds them.
struct IdentityMember {
    const char* name;
    std::string SavedWork::*text;
};
constexpr IdentityMember kIdentity[] = {
    {"region", &SavedWork::region},
    {"institution", &SavedWork::institution},
    {"surname", &SavedWork::surname},
    {"firstInitial", &SavedWork::firstInitial},
    {"patronymicInitial", &SavedWork::patronymicInitial},
};
constexpr const char* kFormatMember = "format";
constexpr const char* kSavedMember = "saved";
constexpr const char* kStepMember = "step";
constexpr const char* kFieldsMember = "fields";
constexpr const char* kFromReportMember = "fromReport"; // since 1.1, only in works made from reports

std::string versionText(FormatVersion v) { return std::to_string(v.major) + "." + std::to_string(v.minor); }

std::optional<FormatVersion> parseVersion(std::string_view text)
{
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == text.size() || dot > 4 || text.size() - dot > 5)
        return std::nullopt;
    FormatVersion v;
    const char* end = text.data() + text.size();
    const auto major = std::from_chars(text.data(), text.data() + dot, v.major);
    const auto minor = std::from_chars(text.data() + dot + 1, end, v.minor);
    if (major.ec != std::errc() || major.ptr != text.data() + dot || minor.ec != std::errc() || minor.ptr != end)
        return std::nullopt;
    return v;
}

// Input fields by key: what a file of this version may hold in "fields".
std::optional<FieldRef> inputByKey(std::string_view key)
{
    const auto ref = fieldFromKey(key);
    if (!ref)
        return std::nullopt;
    const auto inputs = inputFields();
    if (std::find(inputs.begin(), inputs.end(), *ref) == inputs.end())
        return std::nullopt;
    return ref;
}

// A file that is no whole work: its reason follows "файл поврежден: ".
// A text of the file quoted in a message: its first characters, whole UTF-8 sequences only.
std::string inQuotes(std::string_view text)
{
    constexpr std::size_t kShown = 60;
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < kShown; ++characters)
        do
            ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
    return "«" + std::string(text.substr(0, end)) + (end < text.size() ? "…»" : "»");
}

// The text a field is saved as: what its control shows, which a commit stores as it is; for a
// single field, whose control shows seven digits, the shortest text that a commit turns into the
// very same float.
std::string savedText(const ModelValue& value)
{
    if (!value.isSingle())
        return value.displayText();
    const double number = value.toNumber().value_or(0);
    char digits[400];
    for (const bool asFloat : {true, false}) {
        const auto written = asFloat
            ? std::to_chars(digits, digits + sizeof digits, static_cast<float>(number), std::chars_format::fixed)
            : std::to_chars(digits, digits + sizeof digits, number, std::chars_format::fixed);
        std::string text(digits, written.ptr);
        std::replace(text.begin(), text.end(), '.', ',');
        // A float's shortest digits read as a double first may, very rarely, round to its
        // neighbour; the double's digits are the float exactly.
        if (!asFloat || ModelValue::singleFromText(text) == value)
            return text;
    }
    return value.displayText(); // not reached: the second pass returns
}

struct Damaged {
    std::string reason;
};
// A whole work this version cannot continue (a later version's, a region or field it does not
// know): its reason stands alone.
struct Refused {
    std::string reason;
};

// Parses with the limits of kMaxDepth, kMaxValues and kMaxTextBytes, which hold while the text is
// read: a file cannot make the reader build more than they allow.
Json parseBounded(std::string_view text)
{
    std::size_t values = 0;
    auto bounds = [&values](int depth, Json::parse_event_t event, Json& parsed) {
        if (depth > kMaxDepth)
            throw Damaged{"в файле слишком глубокая вложенность записей"};
        if (event == Json::parse_event_t::key || event == Json::parse_event_t::value) {
            if (++values > kMaxValues)
                throw Damaged{"в файле слишком много записей"};
            if (parsed.is_string() && parsed.get_ref<const std::string&>().size() > kMaxTextBytes)
                throw Damaged{"в файле слишком длинный текст"};
        }
        return true;
    };
    return Json::parse(text.begin(), text.end(), bounds);
}

const Json& member(const Json& object, const char* name)
{
    const auto it = object.find(name);
    if (it == object.end())
        throw Damaged{std::string("нет записи «") + name + "»"};
    return *it;
}

const std::string& text(const Json& value, const std::string& what)
{
    if (!value.is_string())
        throw Damaged{"запись " + inQuotes(what) + " — не текст"};
    return value.get_ref<const std::string&>();
}

FormatVersion readVersion(const Json& doc)
{
    if (!doc.contains(kFormatMember))
        throw Damaged{"это не сохраненная работа «Квартона»"};
    const auto version = parseVersion(text(doc[kFormatMember], kFormatMember));
    if (!version)
        throw Damaged{"неизвестная запись версии формата"};
    if (version->major > kFormat.major)
        throw Refused{"работа сохранена более новой версией программы (формат " + versionText(*version)
            + "), эта версия открывает работы формата " + std::to_string(kFormat.major) + ".x"};
    if (version->major < kFormat.major)
        throw Damaged{"неизвестная версия формата " + versionText(*version)};
    return *version;
}

SavedWork readWork(const Json& doc)
{
    if (!doc.is_object())
        throw Damaged{"это не сохраненная работа «Квартона»"};
    SavedWork work;
    const FormatVersion version = readVersion(doc);
    // A later minor version only adds members: what this version does not know is kept.
    const bool later = version > kFormat;
    work.kept.format = std::max(version, kFormat);

    const auto saved = parseIsoText(text(member(doc, kSavedMember), kSavedMember));
    if (!saved)
        throw Damaged{"неверное время сохранения"};
    work.saved = *saved;

    const Json& step = member(doc, kStepMember);
    if (!step.is_number_integer() || step.get<std::int64_t>() < kFirstStep || step.get<std::int64_t>() > kLastStep)
        throw Damaged{"номер шага не от 1 до 16"};
    work.step = static_cast<int>(step.get<std::int64_t>());

    for (const IdentityMember& m : kIdentity)
        work.*m.text = text(member(doc, m.name), m.name);
    // The region as a report read back takes it, in the table's own spelling.
    const auto region = keptRegionName(work.region);
    if (!region)
        throw Refused{"регион " + inQuotes(work.region) + " неизвестен этой версии программы"};
    work.region = *region;
    if (const auto from = doc.find(kFromReportMember); from != doc.end())
        work.fromReport = text(*from, kFromReportMember);

    const Json& fields = member(doc, kFieldsMember);
    if (!fields.is_object())
        throw Damaged{"запись «fields» — не набор полей"};
    for (const auto& [key, value] : fields.items()) {
        if (const auto ref = inputByKey(key)) {
            work.fields.emplace_back(*ref, text(value, key));
        } else if (later) {
            work.kept.fields.emplace_back(key, value.dump());
        } else {
            throw Refused{"поле " + inQuotes(key) + " неизвестно этой версии программы"};
        }
    }

    for (const auto& [name, value] : doc.items()) {
        const bool known = name == kFormatMember || name == kSavedMember || name == kStepMember || name == kFieldsMember
            || name == kFromReportMember
            || std::any_of(
                std::begin(kIdentity), std::end(kIdentity), [&](const IdentityMember& m) { return name == m.name; });
        if (known)
            continue;
        if (!later)
            throw Refused{"запись " + inQuotes(name) + " неизвестна этой версии программы"};
        work.kept.top.emplace_back(name, value.dump());
    }
    return work;
}

} // namespace

SavedWork captureWork(const InstitutionModel& model, SavedTime saved, KeptMembers kept)
{
    SavedWork work;
    work.saved = saved;
    work.step = std::clamp(model.currentStep, kFirstStep, kLastStep);
    work.region = model.regionName;
    work.institution = model.institutionName;
    work.surname = model.surname;
    work.firstInitial = model.firstInitial;
    work.patronymicInitial = model.patronymicInitial;
    work.fromReport = model.reportFile;
    const auto inputs = inputFields();
    work.fields.reserve(inputs.size());
    for (FieldRef ref : inputs)
        work.fields.emplace_back(ref, savedText(field(model, ref)));
    work.kept = std::move(kept);
    return work;
}

InstitutionModel restoreModel(const SavedWork& work)
{
    InstitutionModel model;
    model.regionName = work.region;
    model.institutionName = work.institution;
    model.surname = work.surname;
    model.firstInitial = work.firstInitial;
    model.patronymicInitial = work.patronymicInitial;
    model.reportFile = work.fromReport;
    model.regionCoefficient = regionCoefficient(work.region);
    resetToDefaults(model);
    for (const auto& [ref, text] : work.fields)
        if (savedText(field(model, ref)) != text)
            commitText(model, ref, text);
    model.currentStep = std::clamp(work.step, kFirstStep, kLastStep);
    return model;
}

std::string workJson(const SavedWork& work)
{
    Json doc = Json::object();
    doc[kFormatMember] = versionText(std::max(work.kept.format, kFormat));
    doc[kSavedMember] = isoText(work.saved);
    doc[kStepMember] = work.step;
    for (const IdentityMember& m : kIdentity)
        doc[m.name] = work.*m.text;
    if (!work.fromReport.empty())
        doc[kFromReportMember] = work.fromReport;
    for (const auto& [name, json] : work.kept.top)
        doc[name] = Json::parse(json, nullptr, false);
    Json fields = Json::object();
    for (const auto& [ref, text] : work.fields)
        fields[fieldKey(ref)] = text;
    for (const auto& [key, json] : work.kept.fields)
        fields[key] = Json::parse(json, nullptr, false);
    doc[kFieldsMember] = std::move(fields);
    // Texts come from the screens and are UTF-8; should one not be, a replacement character
    // stands for the broken bytes rather than the work going unsaved.
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

std::variant<SavedWork, WorkProblem> readWorkJson(std::string_view text)
{
    if (text.size() > kMaxFileBytes)
        return WorkProblem{"файл больше, чем бывает сохраненная работа"};
    try {
        return readWork(parseBounded(text));
    } catch (const Damaged& d) {
        return WorkProblem{"файл поврежден: " + d.reason};
    } catch (const Refused& r) {
        return WorkProblem{r.reason};
    } catch (const Json::parse_error& e) {
        if (e.byte > text.size()) // the parser counts from 1 and stopped past the end
            return WorkProblem{"файл поврежден: запись обрывается"};
        return WorkProblem{"файл поврежден: запись искажена (байт " + std::to_string(e.byte) + ")"};
    } catch (const std::exception&) {
        return WorkProblem{"файл поврежден"};
    }
}

} // namespace kvarton::work
