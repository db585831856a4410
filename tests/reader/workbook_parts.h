#pragma once

// Workbooks for the reader's tests: the program's own report as bytes, taken apart into its parts
// and put together again with changes, as another program would have saved it.

#include "zip_writer.h"

#include "reader/zip_package.h"
#include "report/report.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kvarton::test {

inline std::string fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The report workbook the program writes for `model`, as bytes.
inline std::string reportBytes(const InstitutionModel& model)
{
    static std::atomic<int> counter = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto path = std::filesystem::temp_directory_path()
        / ("kvarton-reader-" + std::to_string(stamp) + "-" + std::to_string(counter++) + ".xlsx");
    std::filesystem::remove(path);
    if (const auto problem = report::writeXlsxReport(model, path.string())) {
        ADD_FAILURE() << problem->message;
        return {};
    }
    std::string bytes = fileBytes(path);
    std::filesystem::remove(path);
    return bytes;
}

// The parts of a package, to be changed and packed again.
class Parts final {
public:
    explicit Parts(std::string_view bytes)
    {
        auto opened = reader::ZipPackage::open(bytes, reader::kReadLimits);
        auto& package = std::get<reader::ZipPackage>(opened);
        for (const std::string& name : package.names())
            entries_.push_back({name, *std::get<std::optional<std::string>>(package.part(name))});
    }

    std::string& operator[](std::string_view name)
    {
        for (auto& e : entries_)
            if (e.name == name)
                return e.content;
        entries_.push_back({std::string(name), {}});
        return entries_.back().content;
    }
    void remove(std::string_view name)
    {
        std::erase_if(entries_, [&](const testzip::ZipEntry& e) { return e.name == name; });
    }
    // Renames a part (its relationships must be changed by the caller).
    void rename(std::string_view from, std::string_view to)
    {
        for (auto& e : entries_)
            if (e.name == from)
                e.name = to;
    }
    std::vector<testzip::ZipEntry>& entries() { return entries_; }
    std::string bytes() const { return testzip::zipOf(entries_); }

private:
    std::vector<testzip::ZipEntry> entries_;
};

inline std::string replaced(std::string text, std::string_view from, std::string_view to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// The shared strings of a table, each as the XML inside its <si>.
inline std::vector<std::string> sharedItems(const std::string& sst)
{
    std::vector<std::string> items;
    for (std::size_t at = 0; (at = sst.find("<si>", at)) != std::string::npos;) {
        const std::size_t end = sst.find("</si>", at);
        items.push_back(sst.substr(at + 4, end - at - 4));
        at = end;
    }
    return items;
}

// Every shared-string cell of the sheet written as an inline string instead.
inline std::string withInlineStrings(const std::string& sheet, const std::string& sst)
{
    const auto items = sharedItems(sst);
    std::string out;
    std::size_t at = 0;
    constexpr std::string_view marker = " t=\"s\"><v>";
    for (std::size_t found; (found = sheet.find(marker, at)) != std::string::npos;) {
        const std::size_t valueEnd = sheet.find("</v>", found);
        const std::size_t index = std::stoul(sheet.substr(found + marker.size(), valueEnd - found - marker.size()));
        out += sheet.substr(at, found - at);
        out += " t=\"inlineStr\"><is>" + items.at(index) + "</is>";
        at = valueEnd + 4;
    }
    return out + sheet.substr(at);
}

} // namespace kvarton::test
