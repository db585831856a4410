// The fuzz target of the report reader (libFuzzer; scripts/fuzz). Whatever the bytes, reading
// them ends in a work or in a message that names the file, never in a crash or a hang.
//
// An input that starts with 'X' is not a package but the XML of a first sheet and of its shared
// strings, parted by a NUL byte: they are packed into an otherwise sound workbook, so that
// mutations reach the XML instead of failing the package's checksums.
#include "zip_writer.h"

#include "reader/report_reader.h"

#include "model/regions.h"
#include "report/report_layout.h"
#include "report/xlsx_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::string_view kContentTypes
    = R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/></Types>)";
constexpr std::string_view kPackageRelationships
    = R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";
constexpr std::string_view kWorkbook
    = R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>)";
constexpr std::string_view kWorkbookRelationships
    = R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)";

std::string packedXml(std::string_view input)
{
    const auto nul = input.find('\0');
    const std::string_view sheet = input.substr(0, nul);
    const std::string_view strings = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
    using kvarton::testzip::ZipEntry;
    return kvarton::testzip::zipOf({
        {"[Content_Types].xml", std::string(kContentTypes), false},
        {"_rels/.rels", std::string(kPackageRelationships), false},
        {"xl/workbook.xml", std::string(kWorkbook), false},
        {"xl/_rels/workbook.xml.rels", std::string(kWorkbookRelationships), false},
        {"xl/worksheets/sheet1.xml", std::string(sheet), false},
        {"xl/sharedStrings.xml", std::string(strings), false},
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string packed = input.starts_with('X') ? packedXml(input.substr(1)) : std::string();
    const auto read = kvarton::reader::readReportBytes(packed.empty() ? input : packed, "fuzz.xlsx");
    if (const auto* problem = std::get_if<kvarton::reader::ReadProblem>(&read))
        if (problem->reason.empty() || !problem->message.starts_with("Файл «fuzz.xlsx» не открыт: "))
            std::abort(); // a failure must say why
    // A work read is one the program can write and continue: texts a cell holds, a region of its own.
    if (const auto* work = std::get_if<kvarton::InstitutionModel>(&read)) {
        for (const kvarton::report::IdentityRow& row : kvarton::report::identityRows())
            if (kvarton::report::cellTextLength(work->*row.field) > kvarton::report::kMaxCellText)
                std::abort();
        if (kvarton::keptRegionName(work->regionName) != work->regionName)
            std::abort();
    }
    return 0;
}
