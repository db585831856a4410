#include "quiet_standard_error.h"

#include <cstdio>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#define KVARTON_DUP _dup
#define KVARTON_DUP2 _dup2
#define KVARTON_CLOSE _close
#define KVARTON_OPEN _open
#define KVARTON_WRITE_ONLY _O_WRONLY
constexpr const char* kNullDevice = "NUL";
#else
#include <unistd.h>
#define KVARTON_DUP dup
#define KVARTON_DUP2 dup2
#define KVARTON_CLOSE close
#define KVARTON_OPEN open
#define KVARTON_WRITE_ONLY O_WRONLY
constexpr const char* kNullDevice = "/dev/null";
#endif

namespace kvarton::report {

namespace {
constexpr int kStandardError = 2;
} // namespace

// When anything here fails the standard error simply stays as it was.
QuietStandardError::QuietStandardError() noexcept
{
    std::fflush(stderr);
    const int nothing = KVARTON_OPEN(kNullDevice, KVARTON_WRITE_ONLY);
    if (nothing < 0)
        return;
    saved_ = KVARTON_DUP(kStandardError);
    if (saved_ >= 0 && KVARTON_DUP2(nothing, kStandardError) < 0) {
        KVARTON_CLOSE(saved_);
        saved_ = -1;
    }
    KVARTON_CLOSE(nothing);
}

QuietStandardError::~QuietStandardError()
{
    if (saved_ < 0)
        return;
    std::fflush(stderr);
    KVARTON_DUP2(saved_, kStandardError);
    KVARTON_CLOSE(saved_);
}

} // namespace kvarton::report
