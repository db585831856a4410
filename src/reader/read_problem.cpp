#include "read_problem.h"

#include <cstdint>

namespace kvarton::reader {

namespace {

std::string quoted(std::string_view text) { return "«" + std::string(text) + "»"; }

std::string megabytes(std::size_t bytes) { return std::to_string(bytes >> 20) + " МБ"; }

// A text found in a cell, as a message quotes it: on one line and not longer than a line.
std::string excerpt(std::string_view text)
{
    constexpr std::size_t kMaxCharacters = 60;
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        const bool starts = (byte & 0xC0) != 0x80;
        if (starts && characters++ == kMaxCharacters) {
            out += "…";
            break;
        }
        out += byte < 0x20 ? ' ' : text[i];
    }
    return quoted(out);
}

} // namespace

ReadProblem readProblem(std::string_view fileName, std::string reason)
{
    std::string message = "Файл " + quoted(fileName) + " не открыт: " + reason;
    return {std::move(reason), std::move(message)};
}

namespace why {

std::string notFound() { return "файл не найден."; }
std::string notAFile() { return "это не файл, а папка."; }
std::string notARegularFile() { return "это не файл с данными, а устройство или канал."; }
std::string brokenLink() { return "это ссылка, которая не ведет к файлу: файла нет или ссылки ведут по кругу."; }
std::string unreadable() { return "файл не удалось прочитать: нет прав на чтение или диск недоступен."; }
std::string emptyFile() { return "файл пустой."; }

std::string fileTooLarge(std::size_t limitBytes)
{
    return "файл больше " + megabytes(limitBytes) + ", а отчет занимает несколько десятков килобайт.";
}

std::string notXlsx() { return "это не книга Excel в формате .xlsx."; }

std::string oldFormatOrPassword()
{
    return "это книга Excel старого формата (.xls) или книга, защищенная паролем. Сохраните ее в формате .xlsx "
           "без пароля и откройте снова.";
}

std::string damagedPackage() { return "файл поврежден или записан не полностью."; }

std::string tooManyParts(std::size_t limit)
{
    return "в файле больше " + std::to_string(limit) + " частей, в отчете их намного меньше.";
}

std::string encryptedPart(std::string_view part) { return "часть книги " + quoted(part) + " зашифрована."; }

std::string partTooLarge(std::string_view part, std::size_t limitBytes)
{
    return "часть книги " + quoted(part) + " в распакованном виде больше " + megabytes(limitBytes)
        + ", для отчета это слишком много.";
}

std::string tooMuchUnpacked(std::size_t limitBytes)
{
    return "части книги в распакованном виде больше " + megabytes(limitBytes) + ", для отчета это слишком много.";
}

std::string packedSuspiciously(std::string_view part, std::size_t ratio)
{
    return "часть книги " + quoted(part) + " сжата более чем в " + std::to_string(ratio)
        + " раз, как в файлах, созданных, чтобы переполнить память компьютера.";
}

std::string damagedPart(std::string_view part)
{
    return "часть книги " + quoted(part) + " повреждена или записана не полностью.";
}

std::string missingPart(std::string_view part)
{
    return "в книге нет части " + quoted(part) + ", файл поврежден или это не книга Excel.";
}

std::string badXml(std::string_view part)
{
    return "часть книги " + quoted(part) + " повреждена: ее текст не читается как XML.";
}

std::string doctype(std::string_view part)
{
    return "часть книги " + quoted(part) + " содержит объявление DOCTYPE, какого не бывает в книгах Excel.";
}

std::string noSheet() { return "в книге нет ни одного листа."; }

std::string badCellAddress(std::string_view part, std::string_view address)
{
    return "часть книги " + quoted(part) + " повреждена: неверный адрес ячейки " + excerpt(address) + ".";
}

std::string textTooLong(std::string_view cell, std::size_t limitCharacters)
{
    return "в ячейке " + std::string(cell) + " больше " + std::to_string(limitCharacters) + " знаков.";
}

std::string notReport(std::string_view cell, std::string_view expected, std::string_view found)
{
    std::string text = "это не отчет Квартона: в ячейке " + std::string(cell) + " должно быть " + quoted(expected);
    return text + (found.empty() ? ", а она пустая." : ", а стоит " + excerpt(found) + ".");
}

std::string noNumber(std::string_view cell, std::string_view input, std::string_view found)
{
    std::string text = "в ячейке " + std::string(cell) + " (" + std::string(input) + ") должно быть число";
    return text + (found.empty() ? ", а она пустая." : ", а стоит " + excerpt(found) + ".");
}

std::string numberTooLarge(std::string_view cell, std::string_view input)
{
    return "число в ячейке " + std::string(cell) + " (" + std::string(input) + ") слишком велико.";
}

std::string unknownRegion(std::string_view cell, std::string_view caption, std::string_view found)
{
    return "в ячейке " + std::string(cell) + " (" + std::string(caption)
        + ") должно быть название региона из списка программы, а стоит " + excerpt(found) + ".";
}

std::string outOfMemory() { return "не хватило памяти."; }
std::string internalError() { return "внутренняя ошибка программы."; }

} // namespace why

} // namespace kvarton::reader
