#include "own_summary.h"

#include "summary_workbook.h"

#include "reader/file_bytes.h"
#include "reader/xml_part.h"
#include "reader/zip_package.h"

#include <set>
#include <string_view>

namespace kvarton::summary {

bool isOwnSummary(const std::string& path) noexcept
{
    try {
        const reader::ReadLimits limits;
        auto bytes = reader::readFileBytes(path, limits.fileBytes);
        if (reader::refusal(bytes))
            return false;
        auto package = reader::ZipPackage::open(std::get<std::string>(bytes), limits);
        if (reader::refusal(package))
            return false;
        auto part = std::get<reader::ZipPackage>(package).part("xl/workbook.xml");
        if (reader::refusal(part) || !std::get<std::optional<std::string>>(part))
            return false;
        auto xml = reader::parseXmlPart(std::move(*std::get<std::optional<std::string>>(part)), "xl/workbook.xml");
        if (reader::refusal(xml))
            return false;
        const pugi::xml_node workbook
            = reader::child(std::get<std::unique_ptr<reader::XmlPart>>(xml)->document, "workbook");
        std::set<std::string_view> names;
        for (pugi::xml_node sheet : reader::child(workbook, "sheets").children())
            if (reader::localName(sheet.name()) == "sheet")
                names.insert(sheet.attribute("name").value());
        return names == std::set<std::string_view>{kSummarySheetName, kUnreadSheetName, kChartsSheetName};
    } catch (...) {
        return false;
    }
}

} // namespace kvarton::summary
