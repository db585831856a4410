#include "work/saved_work.h"

#include "common/golden_road.h"
#include "common/random_work.h"

#include "model/field_keys.h"
#include "model/personal_data.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

using namespace kvarton;
using namespace kvarton::work;
using Json = nlohmann::ordered_json;

namespace {

const SavedTime kNoon = *parseIsoText("2026-03-14T12:00:00.250+03:00");

// A work as it went through a file and back.
InstitutionModel throughFile(const InstitutionModel& model)
{
    const auto read = readWorkJson(workJson(captureWork(model, kNoon)));
    if (const auto* problem = std::get_if<WorkProblem>(&read)) {
        ADD_FAILURE() << problem->reason;
        return {};
    }
    return restoreModel(std::get<SavedWork>(read));
}

std::string problemOf(const std::string& json)
{
    const auto read = readWorkJson(json);
    const auto* problem = std::get_if<WorkProblem>(&read);
    return problem ? problem->reason : "(read)";
}

// A model as the personal-data screen leaves it: the region list sets the region's name.
InstitutionModel confirmed(const std::string& region, const std::string& institution)
{
    InstitutionModel m;
    m.regionName = region;
    confirmPersonalData(m, {region, institution, "Ли", "А", ""});
    return m;
}

// A small valid work to spoil in one place.
Json sampleJson()
{
    InstitutionModel m = confirmed("Камчатский край", "Детский сад № 3");
    m.currentStep = 9;
    return Json::parse(workJson(captureWork(m, kNoon)));
}

} // namespace

// Random works through a file: every input shows the same text, every panel of steps 13–16 the
// same figures, identity, region and step as they were.
TEST(SavedWork, RandomWorksComeBackAsTheyWere)
{
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        test::RandomWork random(seed);
        InstitutionModel original = random.work();
        original.currentStep = 1 + random.pick(16);
        const InstitutionModel restored = throughFile(original);

        EXPECT_EQ(restored.regionName, original.regionName) << seed;
        EXPECT_EQ(restored.regionCoefficient, original.regionCoefficient) << seed;
        EXPECT_EQ(restored.institutionName, original.institutionName) << seed;
        EXPECT_EQ(restored.surname, original.surname) << seed;
        EXPECT_EQ(restored.firstInitial, original.firstInitial) << seed;
        EXPECT_EQ(restored.patronymicInitial, original.patronymicInitial) << seed;
        EXPECT_EQ(restored.currentStep, original.currentStep) << seed;
        for (FieldRef f : keyedFields())
            ASSERT_EQ(field(restored, f).displayText(), field(original, f).displayText()) << seed << " " << fieldKey(f);
        ASSERT_EQ(test::goldenRoad(restored), test::goldenRoad(original)) << seed;
    }
}

// A single field holds the float its typed text gave; the file holds the shortest text that gives
// that very float, the text the screen shows.
TEST(SavedWork, SingleFieldsKeepTheirExactFloat)
{
    InstitutionModel m = test::RandomWork(7).work();
    const FieldRef salary = fields::serviceSalary(ServicePosition::OtherPositions);
    const FieldRef size = fields::groupSize(GroupOrientation::Compensating, AgeBand::ThreeAndOver);
    commitText(m, salary, "123456,789");
    commitText(m, size, "12");
    ASSERT_EQ(field(m, salary).displayText(), "123456,79");
    const InstitutionModel restored = throughFile(m);
    EXPECT_EQ(field(restored, salary), field(m, salary));
    EXPECT_EQ(field(restored, size), field(m, size));

    const SavedWork saved = captureWork(m, kNoon);
    for (const auto& [ref, text] : saved.fields) {
        if (ref == salary) {
            EXPECT_EQ(text, "123456,79");
        }
    }

    // A text that is no number stays a text, for the input check to name.
    commitText(m, salary, "14 000");
    EXPECT_EQ(field(throughFile(m), salary), ModelValue::text("14 000"));
}

// A field the learner never changed keeps its default as the model holds it (a number), so that
// the restored work is the original one, not one that merely shows the same.
TEST(SavedWork, UntouchedFieldsKeepTheirDefaults)
{
    InstitutionModel m = confirmed("Камчатский край", "Сад");
    commitText(m, fields::directHours(GroupKind::GeneralDay, StaffRole::Teacher), "9,5");
    const InstitutionModel restored = throughFile(m);
    for (FieldRef f : keyedFields())
        EXPECT_EQ(field(restored, f), field(m, f)) << fieldKey(f);
    EXPECT_EQ(restored.payroll2011PedTotal, ModelValue::text("4326071")); // a money default, as text
}

// A work the teacher made from a report says so, after the identity; a learner's own says nothing.
TEST(SavedWork, AWorkFromAReportKeepsItsFileName)
{
    InstitutionModel m = confirmed("Камчатский край", "Сад");
    m.reportFile = "Отчет Квартон — Иванова.xlsx";
    const std::string json = work::workJson(work::captureWork(m, {}));
    EXPECT_LT(json.find("\"patronymicInitial\""), json.find("\"fromReport\": \"Отчет Квартон — Иванова.xlsx\""));
    EXPECT_EQ(throughFile(m).reportFile, m.reportFile);
    EXPECT_EQ(throughFile(confirmed("Камчатский край", "Сад")).reportFile, "");
}

TEST(SavedWork, NoRegionChosenStaysSo)
{
    InstitutionModel m = confirmed("", "Сад");
    const InstitutionModel restored = throughFile(m);
    EXPECT_FALSE(restored.regionCoefficient);
    EXPECT_EQ(restored.payroll2011PedTotal, ModelValue::text("0"));
}

TEST(SavedWork, TheFileIsReadableJsonInAFixedOrder)
{
    const Json doc = sampleJson();
    std::vector<std::string> members;
    for (const auto& [name, value] : doc.items())
        members.push_back(name);
    EXPECT_EQ(members,
        (std::vector<std::string>{"format", "saved", "step", "region", "institution", "surname", "firstInitial",
            "patronymicInitial", "fields"}));
    EXPECT_EQ(doc["format"], "1.1");
    EXPECT_EQ(doc["saved"], "2026-03-14T12:00:00.250+03:00");
    EXPECT_EQ(doc["step"], 9);
    EXPECT_EQ(doc["fields"].size(), inputFields().size());
    EXPECT_EQ(doc["fields"]["directHours.generalDay.teacher"], "10");
    EXPECT_EQ(doc["fields"]["serviceSalary.accountant"], "10291");
    EXPECT_EQ(doc["fields"].begin().key(), "directStayHours.generalDay");
}

// A later minor version only adds: what this one does not know is kept and written back, and the
// file then still says which version its members belong to.
TEST(SavedWork, MembersOfALaterMinorVersionAreKept)
{
    Json doc = sampleJson();
    doc["format"] = "1.3";
    doc["notes"] = {{"text", "заметка"}, {"pinned", true}};
    doc["fields"]["providedServices.junior.generalDevelopment.hours11"] = "7";
    doc["fields"]["extraCosts"] = {1, 2, 3};
    const auto read = readWorkJson(doc.dump());
    ASSERT_TRUE(std::holds_alternative<SavedWork>(read)) << std::get<WorkProblem>(read).reason;
    const SavedWork& work = std::get<SavedWork>(read);
    EXPECT_EQ(work.kept.format, (FormatVersion{1, 3}));
    ASSERT_EQ(work.kept.top.size(), 1u);
    EXPECT_EQ(work.kept.fields.size(), 2u);

    // Continued and saved again: the model's work carries the kept members over.
    InstitutionModel m = restoreModel(work);
    commitText(m, fields::directHours(GroupKind::GeneralDay, StaffRole::Teacher), "9,5");
    const Json again = Json::parse(workJson(captureWork(m, kNoon, work.kept)));
    EXPECT_EQ(again["format"], "1.3");
    EXPECT_EQ(again["notes"], doc["notes"]);
    EXPECT_EQ(again["fields"]["providedServices.junior.generalDevelopment.hours11"], "7");
    EXPECT_EQ(again["fields"]["extraCosts"], doc["fields"]["extraCosts"]);
    EXPECT_EQ(again["fields"]["directHours.generalDay.teacher"], "9,5");
}

TEST(SavedWork, AFileOfThisVersionHoldsOnlyWhatThisVersionKnows)
{
    Json doc = sampleJson();
    doc["fields"]["providedServices.junior.generalDevelopment.hours11"] = "7";
    EXPECT_EQ(problemOf(doc.dump()),
        "поле «providedServices.junior.generalDevelopment.hours11» неизвестно этой версии программы");

    doc = sampleJson();
    doc["fields"]["regionalNormative.day.senior.total"] = "1"; // a key, but derived from the region
    EXPECT_EQ(problemOf(doc.dump()), "поле «regionalNormative.day.senior.total» неизвестно этой версии программы");

    doc = sampleJson();
    doc["notes"] = "x";
    EXPECT_EQ(problemOf(doc.dump()), "запись «notes» неизвестна этой версии программы");

    doc = sampleJson();
    doc["region"] = "Республика Атлантида";
    EXPECT_EQ(problemOf(doc.dump()), "регион «Республика Атлантида» неизвестен этой версии программы");
    // A region is matched as a report read back matches it, and kept in the table's spelling.
    doc["region"] = "еврейская ао ";
    const auto read = readWorkJson(doc.dump());
    ASSERT_TRUE(std::holds_alternative<SavedWork>(read));
    EXPECT_EQ(std::get<SavedWork>(read).region, "Еврейская АО");
}

TEST(SavedWork, ALaterMajorVersionIsRefused)
{
    Json doc = sampleJson();
    doc["format"] = "2.0";
    EXPECT_EQ(problemOf(doc.dump()),
        "работа сохранена более новой версией программы (формат 2.0), эта версия открывает работы формата 1.x");
    for (const char* bad : {"0.9", "1", "1.", ".1", "1.0.1", "x.y", "-1.0", "99999.0"}) {
        doc["format"] = bad;
        EXPECT_EQ(problemOf(doc.dump()).rfind("файл поврежден", 0), 0u) << bad;
    }
}

TEST(SavedWork, DamagedFilesSayWhy)
{
    const std::string whole = sampleJson().dump(2);
    EXPECT_EQ(problemOf(whole.substr(0, whole.size() / 2)), "файл поврежден: запись обрывается");
    EXPECT_EQ(problemOf(""), "файл поврежден: запись обрывается");
    EXPECT_EQ(problemOf("{\"format\": \"1.0\", }").rfind("файл поврежден: запись искажена (байт ", 0), 0u);
    EXPECT_EQ(problemOf("[1, 2]"), "файл поврежден: это не сохраненная работа «Квартона»");
    EXPECT_EQ(problemOf("{\"a\": 1}"), "файл поврежден: это не сохраненная работа «Квартона»");
    EXPECT_EQ(problemOf("\xEF\xBB\xBF{}").rfind("файл поврежден", 0), 0u);
    EXPECT_EQ(problemOf("{\"format\": \"1.0\", \"x\": \"\xC3\x28\"}").rfind("файл поврежден", 0), 0u);

    const struct {
        const char* member;
        Json value;
        const char* problem;
    } spoilt[] = {
        {"step", 0, "файл поврежден: номер шага не от 1 до 16"},
        {"step", 17, "файл поврежден: номер шага не от 1 до 16"},
        {"step", 9.5, "файл поврежден: номер шага не от 1 до 16"},
        {"step", "9", "файл поврежден: номер шага не от 1 до 16"},
        {"saved", "вчера", "файл поврежден: неверное время сохранения"},
        {"surname", 5, "файл поврежден: запись «surname» — не текст"},
        {"fields", Json::array(), "файл поврежден: запись «fields» — не набор полей"},
    };
    for (const auto& s : spoilt) {
        Json doc = sampleJson();
        doc[s.member] = s.value;
        EXPECT_EQ(problemOf(doc.dump()), s.problem) << s.member;
    }
    Json doc = sampleJson();
    doc.erase("institution");
    EXPECT_EQ(problemOf(doc.dump()), "файл поврежден: нет записи «institution»");
    doc = sampleJson();
    doc["fields"]["payroll2011PedTotal"] = 6726023;
    EXPECT_EQ(problemOf(doc.dump()), "файл поврежден: запись «payroll2011PedTotal» — не текст");
}

// Limits hold while the text is read, whatever part of the file breaks them, kept members too.
TEST(SavedWork, LimitsHoldWhileReading)
{
    Json doc = sampleJson();
    doc["format"] = "1.1";
    const std::string deep = std::string(100000, '[') + "1" + std::string(100000, ']');
    std::string text = doc.dump();
    text.insert(1, "\"deep\": " + deep + ", ");
    EXPECT_EQ(problemOf(text), "файл поврежден: в файле слишком глубокая вложенность записей");

    doc["many"] = Json::array();
    for (int i = 0; i < 70000; ++i)
        doc["many"].push_back(i);
    EXPECT_EQ(problemOf(doc.dump()), "файл поврежден: в файле слишком много записей");

    doc = sampleJson();
    doc["surname"] = std::string(kMaxTextBytes + 1, 'a');
    EXPECT_EQ(problemOf(doc.dump()), "файл поврежден: в файле слишком длинный текст");

    EXPECT_EQ(problemOf(std::string(kMaxFileBytes + 1, ' ')), "файл больше, чем бывает сохраненная работа");
}

// The longest texts the screens let a learner type, of the characters that take the most room in
// the file, are read back: the limits never refuse a work this program wrote.
TEST(SavedWork, TheLongestTypedTextsAreReadBack)
{
    InstitutionModel m = confirmed("Камчатский край", "Сад");
    std::string worst;
    for (int i = 0; i < 32767; ++i)
        worst += '\x01'; // written as \u0001
    m.institutionName = worst;
    m.surname = std::string(32767, 'x');
    for (FieldRef f : inputFields())
        if (f.family() == Field::Payroll2011 || f.family() == Field::ServiceSalary)
            commitText(m, f, worst);
    const std::string json = workJson(captureWork(m, kNoon));
    ASSERT_LT(json.size(), kMaxFileBytes);
    EXPECT_EQ(throughFile(m).institutionName, worst);

    std::string cyrillic;
    for (int i = 0; i < 32767; ++i)
        cyrillic += "ё";
    m.institutionName = cyrillic;
    EXPECT_EQ(throughFile(m).institutionName, cyrillic);
}

TEST(SavedWork, LongNamesInMessagesAreCut)
{
    Json doc = sampleJson();
    doc["fields"][std::string(500, 'k')] = "1";
    const std::string problem = problemOf(doc.dump());
    EXPECT_EQ(problem, "поле «" + std::string(60, 'k') + "…» неизвестно этой версии программы");
}
