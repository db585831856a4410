#include "report.h"

#include "write_excel_report.h"
#include "xlsx_report_sheet.h"

#include <new>

namespace kvarton::report {

std::optional<ReportProblem> writeXlsxReport(const InstitutionModel& model, const std::string& path) noexcept
{
    try {
        XlsxReportSheet sheet;
        if (auto problem = writeExcelReport(model, sheet))
            return problem;
        return sheet.save(path);
    } catch (const std::bad_alloc&) {
        return ReportProblem{"Отчет не создан: не хватило памяти."};
    } catch (...) {
        return ReportProblem{"Отчет не создан из-за внутренней ошибки программы."};
    }
}

} // namespace kvarton::report
