#include "report_reader.h"

#include "file_bytes.h"
#include "first_sheet.h"
#include "zip_package.h"

#include "model/conversion.h"
#include "model/defaults.h"
#include "model/regions.h"
#include "report/report_layout.h"
#include "model/utf8_path.h"

#include <filesystem>
#include <new>

namespace kvarton::reader {

namespace {

// What a cell reads as where the report has a text: a number as the program shows one.
std::string cellText(const SheetCell& cell)
{
    return cell.kind == SheetCell::Kind::Number ? listItemText(cell.number) : cell.text;
}

// The text a control shows for an amount the report holds: the report keeps four decimals, so
// whatever a spreadsheet program made of the number is read to them.
Read<std::string> amountText(double number, const std::string& address, const report::InputCell& input)
{
    const auto amount = Currency::fromDouble(number);
    if (!amount)
        return Refusal{why::numberTooLarge(address, input.name)};
    return amount->decimalText();
}

// An input's cell: a number, or a number written as text with a decimal comma or point.
Read<std::string> inputText(const SheetCell& cell, const std::string& address, const report::InputCell& input)
{
    if (cell.kind == SheetCell::Kind::Number)
        return amountText(cell.number, address, input);
    if (cell.kind == SheetCell::Kind::Text) {
        std::string text(trimmed(cell.text));
        if (const auto point = text.find('.'); point != std::string::npos && text.find(',') == std::string::npos)
            text[point] = ',';
        if (const auto number = parseNumber(text))
            return amountText(*number, address, input);
    }
    return Refusal{why::noNumber(address, input.name, cell.text)};
}

// The caption column A shows beside an identity cell ("Округ").
std::string_view labelOf(report::IdentityField field)
{
    for (const report::IdentityRow& row : report::identityRows())
        if (row.field == field)
            return row.label;
    return {};
}

Read<InstitutionModel> reportOf(const SheetBlock& sheet)
{
    // The texts of column A tell the report from any other workbook.
    for (const report::ReportCell& cell : report::reportCells()) {
        const auto* text = std::get_if<std::string>(&cell.content);
        if (!text || cell.column != 0)
            continue;
        const std::string found = cellText(sheet.at(cell.row, cell.column));
        if (trimmed(found) != *text)
            return Refusal{why::notReport(report::cellAddress(cell.row, cell.column), *text, trimmed(found))};
    }

    InstitutionModel model;
    std::vector<std::pair<FieldRef, std::string>> inputs;
    for (const report::ReportCell& cell : report::reportCells()) {
        const SheetCell& found = sheet.at(cell.row, cell.column);
        if (const auto* identity = std::get_if<report::IdentityField>(&cell.content)) {
            model.*(*identity) = cellText(found);
            if (*identity != &InstitutionModel::regionName)
                continue;
            // Matched as every lookup of a region by name matches, and kept in the table's own
            // spelling: a work of a region the program does not know could never be continued.
            const auto region = keptRegionName(model.regionName);
            if (!region)
                return Refusal{why::unknownRegion(
                    report::cellAddress(cell.row, cell.column), labelOf(*identity), model.regionName)};
            model.regionName = *region;
        } else if (const auto* input = std::get_if<report::InputCell>(&cell.content)) {
            auto text = inputText(found, report::cellAddress(cell.row, cell.column), *input);
            if (const Refusal* r = refusal(text))
                return *r;
            inputs.emplace_back(input->field, std::move(std::get<std::string>(text)));
        }
    }
    // As the personal-data screen confirms a work: the region's coefficient and its defaults
    // (the regional normatives among them), then every input as a learner leaves a step.
    model.regionCoefficient = regionCoefficient(model.regionName);
    resetToDefaults(model);
    for (const auto& [field, text] : inputs)
        commitText(model, field, text);
    return model;
}

Read<InstitutionModel> readBytes(std::string_view bytes, const ReadLimits& limits)
{
    if (bytes.empty())
        return Refusal{why::emptyFile()};
    if (bytes.size() > limits.fileBytes)
        return Refusal{why::fileTooLarge(limits.fileBytes)};
    auto package = ZipPackage::open(bytes, limits);
    if (const Refusal* r = refusal(package))
        return *r;
    auto sheet = readFirstSheet(std::get<ZipPackage>(package), report::kReportRows, report::kReportColumns, limits);
    if (const Refusal* r = refusal(sheet))
        return *r;
    return reportOf(std::get<SheetBlock>(sheet));
}

ReportRead answer(Read<InstitutionModel>&& read, std::string_view fileName)
{
    if (const Refusal* r = refusal(read))
        return readProblem(fileName, r->reason);
    return std::move(std::get<InstitutionModel>(read));
}

// Every failure, even of memory, is an answer: the caller's work is never touched.
template <typename F>
ReportRead guarded(std::string_view fileName, F&& read) noexcept
{
    try {
        return read();
    } catch (const std::bad_alloc&) {
        try {
            return readProblem(fileName, why::outOfMemory());
        } catch (...) {
        }
    } catch (...) {
        try {
            return readProblem(fileName, why::internalError());
        } catch (...) {
        }
    }
    return ReadProblem{};
}

} // namespace

std::string fileNameOf(const std::string& path)
{
    try {
        const std::string name = utf8Of(pathFromUtf8(path).filename());
        return name.empty() ? path : name;
    } catch (...) {
        return path;
    }
}

ReportRead readReport(const std::string& path, const ReadLimits& limits) noexcept
{
    std::string name;
    try {
        name = fileNameOf(path);
    } catch (...) {
    }
    return guarded(name, [&]() -> ReportRead {
        auto bytes = readFileBytes(path, limits.fileBytes);
        if (const Refusal* r = refusal(bytes))
            return readProblem(name, r->reason);
        return answer(readBytes(std::get<std::string>(bytes), limits), name);
    });
}

ReportRead readReportBytes(std::string_view bytes, std::string_view fileName, const ReadLimits& limits) noexcept
{
    return guarded(fileName, [&]() -> ReportRead { return answer(readBytes(bytes, limits), fileName); });
}

} // namespace kvarton::reader
