#pragma once

#include <string>
#include <vector>

namespace kvarton::summary {

// A path the teacher gave that names no report to read, and why, in the words of the list of
// files that were not read.
struct NotAReportPath {
    std::string path;
    std::string reason;
};

struct InputFiles {
    std::vector<std::string> files; // UTF-8 paths, each once, in the order given
    std::vector<NotAReportPath> problems;
};

// The files to read for the given files and folders (UTF-8 paths). A folder gives its entries
// named .xlsx (not those of its subfolders), in the order of their names, whatever they are: a
// pipe, a link that leads nowhere or an entry that cannot be looked at gets the reader's reason
// among the files not read. The lock and hidden files that spreadsheet programs and the program's
// own writing leave beside a workbook ("~$…", ".…") are passed over. A folder without workbooks
// is a problem; a file is read whatever its name, so that a path that does not exist or is no
// workbook gets the reader's own reason.
InputFiles inputFiles(const std::vector<std::string>& paths);

// The folder of a UTF-8 path ("/a/b/Отчет.xlsx" → "/a/b"), beside the file name in the summary.
std::string folderOf(const std::string& path);

} // namespace kvarton::summary
