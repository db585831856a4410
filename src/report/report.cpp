#include "report.h"

#include "report_layout.h"
#include "results_layout.h"
#include "xlsx_workbook.h"

#include <algorithm>
#include <new>
#include <tuple>

namespace kvarton::report {

std::vector<std::string> invalidInputs(const InstitutionModel& model)
{
    // In the order of the wizard: by step, then as the rows and columns of the sheet go.
    std::vector<const InputCell*> bad;
    for (const ReportCell& cell : reportCells())
        if (const auto* input = std::get_if<InputCell>(&cell.content))
            if (!reportNumber(field(model, input->field)))
                bad.push_back(input);
    std::stable_sort(bad.begin(), bad.end(), [](const InputCell* x, const InputCell* y) { return x->step < y->step; });
    std::vector<std::string> names;
    for (const InputCell* input : bad)
        names.push_back(input->name);
    return names;
}

Workbook reportWorkbook(const InstitutionModel& model) { return {{reportSheet(model), resultsSheet(model)}}; }

std::optional<ReportProblem> writeXlsxReport(const InstitutionModel& model, const std::string& path) noexcept
{
    try {
        if (const auto names = invalidInputs(model); !names.empty()) {
            std::string message = "Отчет не создан: следующие значения не являются числами или слишком велики. "
                                  "Исправьте их и снова нажмите «вывести отчет».";
            for (const std::string& name : names)
                message.append("\n").append(name);
            return ReportProblem{message};
        }
        return writeWorkbook(reportWorkbook(model), path);
    } catch (const std::bad_alloc&) {
        return ReportProblem{"Отчет не создан: не хватило памяти."};
    } catch (...) {
        return ReportProblem{"Отчет не создан из-за внутренней ошибки программы."};
    }
}

} // namespace kvarton::report
