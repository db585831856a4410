#pragma once

#include "report_sheet.h"

#include <string>
#include <variant>
#include <vector>

namespace kvarton::report {

// A sheet that only remembers what it was asked to do, in order; for tests.
class RecordingSheet final : public ReportSheet {
public:
    struct Write {
        std::string cell;
        std::variant<std::string, double> value;
    };

    void writeText(std::string_view cell, std::string_view text) override;
    void writeNumber(std::string_view cell, double value) override;
    void setNumberFormat(std::string_view range, std::string_view format) override;
    void setAlignment(std::string_view range, const Alignment& alignment) override;
    void setColumnWidth(std::string_view columns, double width) override;
    void autoFitRows() override;
    void setThinBorders(std::string_view range) override;
    void merge(std::string_view range) override;
    void setBold(std::string_view range) override;

    std::vector<Write> writes;
    // One line per formatting operation, e.g. "bold A7:D7", "column width B:D 15.43".
    std::vector<std::string> formatting;
};

// "horizontal centre, vertical centre, wrap on, orientation 0, …": every member, in order.
std::string describe(const Alignment& a);

} // namespace kvarton::report
