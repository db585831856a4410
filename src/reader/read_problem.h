#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvarton::reader {

// Why a workbook was not opened, in Russian. `reason` is the words alone, lower case with a full
// stop, as a list of files shows them beside a file's name; `message` is the sentence the start
// screen and the command line show: "Файл «Отчет.xlsx» не открыт: " and the reason.
struct ReadProblem {
    std::string reason;
    std::string message;
};

ReadProblem readProblem(std::string_view fileName, std::string reason);

// Every reason a workbook is refused for, in one place, so that whoever lists unreadable files
// says it in the same words as the program opening one.
namespace why {

std::string notFound();
std::string notAFile();
std::string notARegularFile();
// A symbolic link to a file that is not there, or one of links that lead round in a circle.
std::string brokenLink();
std::string unreadable();
std::string emptyFile();
std::string fileTooLarge(std::size_t limitBytes);
std::string notXlsx();
std::string oldFormatOrPassword();
std::string damagedPackage();
std::string tooManyParts(std::size_t limit);
std::string encryptedPart(std::string_view part);
std::string partTooLarge(std::string_view part, std::size_t limitBytes);
std::string tooMuchUnpacked(std::size_t limitBytes);
std::string packedSuspiciously(std::string_view part, std::size_t ratio);
std::string damagedPart(std::string_view part);
std::string missingPart(std::string_view part);
std::string badXml(std::string_view part);
std::string doctype(std::string_view part);
std::string noSheet();
std::string badCellAddress(std::string_view part, std::string_view address);
std::string textTooLong(std::string_view cell, std::size_t limitCharacters);
// Column A does not hold the report's texts: the first cell that differs.
std::string notReport(std::string_view cell, std::string_view expected, std::string_view found);
// An input's cell, named by its address and by its step and caption ("Шаг 7: Воспитатели").
std::string noNumber(std::string_view cell, std::string_view input, std::string_view found);
std::string numberTooLarge(std::string_view cell, std::string_view input);
// The region's cell holds a text that names none of the program's regions.
std::string unknownRegion(std::string_view cell, std::string_view caption, std::string_view found);
std::string outOfMemory();
std::string internalError();

} // namespace why

} // namespace kvarton::reader
