#include "input_files.h"

#include "collation.h"
#include "model/utf8_path.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace kvarton::summary {

namespace fs = std::filesystem;

namespace {

bool isWorkbookName(const std::string& name)
{
    if (name.empty() || name.front() == '.' || name.rfind("~$", 0) == 0 || name.size() < 5)
        return false;
    std::string ending = name.substr(name.size() - 5);
    std::transform(ending.begin(), ending.end(), ending.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return ending == ".xlsx";
}

// The same file given twice, or as itself and through its folder, is read once.
std::string identity(const fs::path& p)
{
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(p, ec);
    return utf8Of(ec ? p.lexically_normal() : canonical);
}

} // namespace

InputFiles inputFiles(const std::vector<std::string>& paths)
{
    InputFiles result;
    std::set<std::string> seen;
    const auto add = [&](const fs::path& file) {
        if (seen.insert(identity(file)).second)
            result.files.push_back(utf8Of(file));
    };
    for (const std::string& given : paths) {
        const fs::path path = pathFromUtf8(given);
        std::error_code ec;
        if (!fs::is_directory(path, ec)) {
            add(path);
            continue;
        }
        std::vector<std::pair<std::u32string, fs::path>> found;
        // Whatever bears a workbook's name is read, so that a pipe, a link that leads nowhere or
        // an entry that cannot be looked at is named among the files not read, with the reader's
        // own reason, rather than passed over without a word.
        for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = utf8Of(it->path().filename());
            if (isWorkbookName(name))
                found.emplace_back(collationKey(name), it->path());
        }
        if (ec) {
            result.problems.push_back({given, "папка не читается: нет доступа или она недоступна."});
            continue;
        }
        if (found.empty()) {
            result.problems.push_back({given, "в папке нет файлов .xlsx."});
            continue;
        }
        std::sort(found.begin(), found.end());
        for (const auto& [key, file] : found)
            add(file);
    }
    return result;
}

std::string folderOf(const std::string& path) { return utf8Of(pathFromUtf8(path).parent_path()); }

} // namespace kvarton::summary
