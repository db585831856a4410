#include "summary_rows.h"

#include "own_summary.h"

#include "collation.h"
#include "input_files.h"
#include "summary_columns.h"

#include "calc/all_results.h"
#include "model/conversion.h"
#include "model/field_captions.h"
#include "reader/report_reader.h"
#include "report/results_layout.h"

#include <algorithm>
#include <new>
#include <set>
#include <tuple>

namespace kvarton::summary {

namespace {

std::string trimmedText(const std::string& t)
{
    const auto first = t.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return t.substr(first, t.find_last_not_of(' ') - first + 1);
}

SummaryValue shown(const calc::StepView& view, const calc::ValueLabel& label)
{
    const std::string* text = view.showError ? nullptr : calc::textOf(view, label.name);
    if (!text)
        return {};
    if (const auto number = parseNumber(*text))
        return *number;
    return *text;
}

// "Не рассчитано (…): шаги 13, 15." for the steps whose figures of the summary the error panel hid.
std::string errorNote(const calc::AllResults& results)
{
    std::set<int> steps;
    for (const SummaryColumn& c : summaryColumns())
        if (report::optionView(results, c.panel, c.option).showError)
            steps.insert(calc::kFirstResultsStep + static_cast<int>(c.panel));
    if (steps.empty())
        return {};
    const std::vector<int> ordered(steps.begin(), steps.end());
    return stepsName(ordered)
        + ": на экране вместо результатов показана панель ошибок «Проверьте правильность ввода параметров».";
}

} // namespace

std::string learnerName(const InstitutionModel& work)
{
    std::string name = trimmedText(work.surname);
    for (const std::string* initial : {&work.firstInitial, &work.patronymicInitial}) {
        std::string i = trimmedText(*initial);
        if (i.empty())
            continue;
        if (i.back() != '.')
            i += '.';
        name += (name.empty() ? "" : " ") + i;
    }
    return name;
}

SummaryRow summaryRow(std::string fileName, const InstitutionModel& work)
{
    const calc::AllResults results = calc::allResults(work);
    SummaryRow row{
        std::move(fileName), work.regionName, work.institutionName, learnerName(work), {}, errorNote(results)};
    const auto columns = summaryColumns();
    row.figures.reserve(columns.size());
    for (const SummaryColumn& c : columns)
        row.figures.push_back(
            c.label ? shown(report::optionView(results, c.panel, c.option), *c.label) : SummaryValue{});
    // The balance is worked out from the two whole numbers the screen shows, so that it adds up
    // with them exactly.
    const std::size_t balance = subsidyBalanceColumn();
    const auto* expenses = std::get_if<double>(&row.figures[balance - 2]);
    const auto* subsidy = std::get_if<double>(&row.figures[balance - 1]);
    if (expenses && subsidy)
        row.figures[balance] = *subsidy - *expenses;
    return row;
}

FileSummary summarizeFile(const std::string& path) noexcept
{
    const std::string name = reader::fileNameOf(path);
    try {
        reader::ReportRead read = reader::readReport(path);
        if (const auto* problem = std::get_if<reader::ReadProblem>(&read))
            return UnreadFile{name, folderOf(path), problem->reason, isOwnSummary(path)};
        SummaryRow row = summaryRow(name, std::get<InstitutionModel>(read));
        row.path = path;
        return row;
    } catch (const std::bad_alloc&) {
        return UnreadFile{name, folderOf(path), reader::why::outOfMemory()};
    } catch (...) {
        return UnreadFile{name, folderOf(path), reader::why::internalError()};
    }
}

void sortRows(std::vector<SummaryRow>& rows)
{
    const auto key = [](const SummaryRow& r) {
        return std::make_tuple(
            collationKey(r.region), collationKey(r.institution), collationKey(r.learner), collationKey(r.fileName));
    };
    std::stable_sort(
        rows.begin(), rows.end(), [&](const SummaryRow& a, const SummaryRow& b) { return key(a) < key(b); });
}

} // namespace kvarton::summary
