#include "xlsxwriter_library.h"

#include <atomic>

#if defined(KVARTON_XLSXWRITER_SONAME)
#include <dlfcn.h>
#endif

namespace kvarton::report {

namespace {

std::atomic<bool> loaded{false};

struct Loading {
    XlsxWriterLibrary library;
    std::string problem; // "" once every function is found
};

#if defined(KVARTON_XLSXWRITER_SONAME)

// The shared library, by its versioned name as the build found it. RTLD_LOCAL: its names stay out
// of the program's, and it stays loaded for the program's life.
Loading load()
{
    Loading l;
    void* handle = dlopen(KVARTON_XLSXWRITER_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        l.problem = std::string("не загружается библиотека " KVARTON_XLSXWRITER_SONAME ", которой программа пишет "
                                "книги Excel (")
            + (why ? why : "причина неизвестна") + "). Переустановите программу.";
        return l;
    }
#define KVARTON_XLSXWRITER_FIND(name)                                                                                  \
    l.library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name));                                        \
    if (!l.library.name && l.problem.empty())                                                                          \
        l.problem = "в библиотеке " KVARTON_XLSXWRITER_SONAME " нет функции " #name                                    \
                    " (установлена другая ее версия). Переустановите программу.";
    KVARTON_XLSXWRITER_FUNCTIONS(KVARTON_XLSXWRITER_FIND)
#undef KVARTON_XLSXWRITER_FIND
    return l;
}

#else

Loading load()
{
    Loading l;
#define KVARTON_XLSXWRITER_TAKE(name) l.library.name = &::name;
    KVARTON_XLSXWRITER_FUNCTIONS(KVARTON_XLSXWRITER_TAKE)
#undef KVARTON_XLSXWRITER_TAKE
    return l;
}

#endif

} // namespace

const XlsxWriterLibrary* xlsxWriterLibrary(std::string& problem)
{
    static const Loading once = [] {
        Loading l = load();
        loaded = l.problem.empty();
        return l;
    }();
    if (!once.problem.empty()) {
        problem = once.problem;
        return nullptr;
    }
    return &once.library;
}

bool xlsxWriterLoaded()
{
#if defined(KVARTON_XLSXWRITER_SONAME)
    return loaded;
#else
    return true;
#endif
}

} // namespace kvarton::report
