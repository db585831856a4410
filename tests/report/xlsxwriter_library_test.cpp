// A program of its own: what it checks is what this process has loaded, before and after its
// first workbook.
#include "report/report.h"
#include "report/xlsxwriter_library.h"
#include "sample_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace kvarton;
using namespace kvarton::report;

namespace {

#if defined(KVARTON_XLSXWRITER_SONAME) && defined(__linux__)
// Whether the process has the shared library mapped, as the system says, not as our flag does.
bool mapped(const std::string& soname)
{
    std::ifstream maps("/proc/self/maps");
    const std::string all{std::istreambuf_iterator<char>(maps), std::istreambuf_iterator<char>()};
    return all.find("/" + soname) != std::string::npos;
}
#endif

TEST(XlsxWriterLibrary, IsLoadedWithTheFirstWorkbookAndHoldsEveryFunction)
{
#if defined(KVARTON_XLSXWRITER_SONAME)
    EXPECT_FALSE(xlsxWriterLoaded());
#if defined(__linux__)
    EXPECT_FALSE(mapped(KVARTON_XLSXWRITER_SONAME));
    EXPECT_FALSE(mapped("libcrypto.so"));
#endif
#endif
    const auto folder = std::filesystem::temp_directory_path() / "kvarton-xlsxwriter-library-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const auto file = folder / "report.xlsx";
    const auto s = file.u8string();
    const auto problem = writeXlsxReport(test::stPetersburg(), std::string(s.begin(), s.end()));
    EXPECT_FALSE(problem) << (problem ? problem->message : "");
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(xlsxWriterLoaded());
#if defined(KVARTON_XLSXWRITER_SONAME) && defined(__linux__)
    EXPECT_TRUE(mapped(KVARTON_XLSXWRITER_SONAME));
#endif

    std::string unloaded;
    const XlsxWriterLibrary* library = xlsxWriterLibrary(unloaded);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(unloaded, "");
#define KVARTON_XLSXWRITER_FOUND(name) EXPECT_NE(library->name, nullptr) << #name;
    KVARTON_XLSXWRITER_FUNCTIONS(KVARTON_XLSXWRITER_FOUND)
#undef KVARTON_XLSXWRITER_FOUND
    std::filesystem::remove_all(folder);
}

} // namespace
