#pragma once

#include "saved_time.h"

#include "model/field_ref.h"
#include "model/institution_model.h"

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// A learner's work as a file: the region, the identity texts, every input as the text a control
// shows, the step last shown and the time it was written (docs/saved-work.md).
namespace kvarton::work {

// "format": "MAJOR.MINOR". A later minor version only adds members; one of a later major version
// changes what an existing member means, and this program does not read it.
struct FormatVersion {
    int major = 1;
    int minor = 0;
    friend constexpr auto operator<=>(FormatVersion, FormatVersion) noexcept = default;
};
inline constexpr FormatVersion kFormat{1, 1};

// What a file of a later minor version holds that this program does not know: each member as its
// name and its JSON text, kept so that writing the work back loses nothing.
struct KeptMembers {
    FormatVersion format = kFormat; // the later of this program's and the file's
    std::vector<std::pair<std::string, std::string>> top; // beside "fields"
    std::vector<std::pair<std::string, std::string>> fields; // keys inside "fields"
    friend bool operator==(const KeptMembers&, const KeptMembers&) = default;
};

struct SavedWork {
    SavedTime saved;
    int step = 1; // the step last shown, 1–16
    std::string region; // as chosen; "" when none was
    std::string institution;
    std::string surname;
    std::string firstInitial;
    std::string patronymicInitial;
    // The file name of the learner's report the teacher opened it from; "" for a learner's own
    // work. Such works are the teacher's: never offered to continue as the last work.
    std::string fromReport;
    // Every input of steps 1–12 with the text its control shows, in the order of inputFields().
    std::vector<std::pair<FieldRef, std::string>> fields;
    KeptMembers kept;
    friend bool operator==(const SavedWork&, const SavedWork&) = default;
};

// Why a file holds no work this program can continue; Russian, for the learner, completing "не
// удалось открыть …: " (e.g. "файл поврежден: запись обрывается").
struct WorkProblem {
    std::string reason;
};

// What a reader accepts: larger files, longer texts, more members or deeper nesting are no work
// this program wrote. A text field holds at most 32767 characters, at most three bytes each in
// UTF-8; the file then stays far below the size limit even with every character escaped.
inline constexpr std::size_t kMaxFileBytes = 8 * 1024 * 1024;
inline constexpr std::size_t kMaxTextBytes = 128 * 1024;
inline constexpr std::size_t kMaxMembers = 4096;
inline constexpr int kMaxDepth = 32;

// The work of the model at `saved`, carrying `kept` over from the file it was read from.
SavedWork captureWork(const InstitutionModel& model, SavedTime saved, KeptMembers kept = {});

// The model a work stands for: identity, the region's coefficient, the defaults and regional
// normatives of the region, then every saved field through the commit of a step, as if typed
// (a field whose text is what its default shows keeps the default as it is), and the step.
InstitutionModel restoreModel(const SavedWork& work);

// The file's text (UTF-8 JSON, members in a fixed order, one field a line).
std::string workJson(const SavedWork& work);

// Reads a file's text. Never throws: anything that is no work of a version this program reads
// is a problem that says why.
std::variant<SavedWork, WorkProblem> readWorkJson(std::string_view text);

} // namespace kvarton::work
