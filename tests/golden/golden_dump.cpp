// Pins what the calculations show and what the report writes on many random works, so that a
// reshaping of that code can be shown to change nothing.
//
//   golden_dump calc FIRST COUNT FULL      every panel of steps 13–16 along one road through every
//                                          option; the first FULL seeds in full, the rest as digests
//   golden_dump report FOLDER FIRST COUNT  the report workbook of each seed, FOLDER/seed-N.xlsx
//
// golden_check.py compares both with the files checked in beside this one.
#include "common/golden_road.h"
#include "common/random_work.h"

#include "model/numeric_locale.h"
#include "report/report.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace kvarton;

namespace {

// One road through steps 13–16 that takes every option; results carry over as on the screen.
std::string road(std::uint32_t seed)
{
    test::RandomWork random(seed);
    return test::goldenRoad(random.work());
}

std::uint64_t fnv1a(const std::string& s)
{
    std::uint64_t h = 1469598103934665603ULL;
    for (const char c : s) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

int dumpCalc(std::uint32_t first, std::uint32_t count, std::uint32_t full)
{
    for (std::uint32_t seed = first; seed < first + count; ++seed) {
        const std::string text = road(seed);
        if (seed < first + full)
            std::printf("# seed %u\n%s", seed, text.c_str());
        else
            std::printf("# seed %u digest %016llx\n", seed, static_cast<unsigned long long>(fnv1a(text)));
    }
    return 0;
}

int dumpReport(const std::string& folder, std::uint32_t first, std::uint32_t count)
{
    for (std::uint32_t seed = first; seed < first + count; ++seed) {
        test::RandomWork random(seed);
        const InstitutionModel m = random.work();
        const std::string path = folder + "/seed-" + std::to_string(seed) + ".xlsx";
        if (const auto problem = report::writeXlsxReport(m, path)) {
            std::printf("# seed %u not written: %s\n", seed, problem->message.c_str());
            for (const std::string& input : problem->inputs)
                std::printf("%s\n", input.c_str());
        }
    }
    return 0;
}

std::uint32_t number(const char* text) { return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)); }

} // namespace

int main(int argc, char** argv)
{
    // The locale as the program has it: from the environment, the numbers in the files' notation.
#ifndef _WIN32 // Qt leaves the C library's locale alone on Windows
    std::setlocale(LC_ALL, "");
#endif
    useFileNotationForNumbers();
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "calc" && argc == 5)
        return dumpCalc(number(argv[2]), number(argv[3]), number(argv[4]));
    if (mode == "report" && argc == 5)
        return dumpReport(argv[2], number(argv[3]), number(argv[4]));
    std::fprintf(stderr, "usage: golden_dump calc FIRST COUNT FULL | report FOLDER FIRST COUNT\n");
    return 2;
}
