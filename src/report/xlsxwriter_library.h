#pragma once

#include <xlsxwriter.h>

#include <string>

// The functions of libxlsxwriter the writer calls, as one table. Where the library is shared
// (Linux), it is loaded when the first workbook is written, not when the program starts: it brings
// libcrypto, and loading the two took about a third of what the start screen costs beyond a plain
// window. Where it is linked statically (Windows), the table holds the functions themselves.
#define KVARTON_XLSXWRITER_FUNCTIONS(X)                                                                                \
    X(chart_add_series)                                                                                                \
    X(chart_axis_set_crossing_max)                                                                                     \
    X(chart_axis_set_label_position)                                                                                   \
    X(chart_axis_set_name)                                                                                             \
    X(chart_axis_set_num_format)                                                                                       \
    X(chart_axis_set_reverse)                                                                                          \
    X(chart_legend_set_position)                                                                                       \
    X(chart_series_set_categories)                                                                                     \
    X(chart_series_set_fill)                                                                                           \
    X(chart_series_set_labels)                                                                                         \
    X(chart_series_set_labels_num_format)                                                                              \
    X(chart_series_set_line)                                                                                           \
    X(chart_series_set_name)                                                                                           \
    X(chart_series_set_pattern)                                                                                        \
    X(chart_series_set_values)                                                                                         \
    X(chart_set_series_gap)                                                                                            \
    X(chart_title_set_name)                                                                                            \
    X(chart_title_set_name_font)                                                                                       \
    X(format_set_align)                                                                                                \
    X(format_set_bold)                                                                                                 \
    X(format_set_border)                                                                                               \
    X(format_set_font_size)                                                                                            \
    X(format_set_indent)                                                                                               \
    X(format_set_num_format)                                                                                           \
    X(format_set_num_format_index)                                                                                     \
    X(format_set_text_wrap)                                                                                            \
    X(lxw_strerror)                                                                                                    \
    X(lxw_workbook_free)                                                                                               \
    X(workbook_add_chart)                                                                                              \
    X(workbook_add_format)                                                                                             \
    X(workbook_add_worksheet)                                                                                          \
    X(workbook_close)                                                                                                  \
    X(workbook_new)                                                                                                    \
    X(workbook_validate_sheet_name)                                                                                    \
    X(worksheet_autofilter)                                                                                            \
    X(worksheet_fit_to_pages)                                                                                          \
    X(worksheet_freeze_panes)                                                                                          \
    X(worksheet_insert_chart_opt)                                                                                      \
    X(worksheet_merge_range)                                                                                           \
    X(worksheet_repeat_columns)                                                                                        \
    X(worksheet_repeat_rows)                                                                                           \
    X(worksheet_set_column)                                                                                            \
    X(worksheet_set_h_pagebreaks)                                                                                      \
    X(worksheet_set_header)                                                                                            \
    X(worksheet_set_landscape)                                                                                         \
    X(worksheet_set_paper)                                                                                             \
    X(worksheet_set_print_scale)                                                                                       \
    X(worksheet_set_row)                                                                                               \
    X(worksheet_set_v_pagebreaks)                                                                                      \
    X(worksheet_write_comment_opt)                                                                                     \
    X(worksheet_write_number)                                                                                          \
    X(worksheet_write_string)

namespace kvarton::report {

struct XlsxWriterLibrary {
#define KVARTON_XLSXWRITER_MEMBER(name) decltype(&::name) name = nullptr;
    KVARTON_XLSXWRITER_FUNCTIONS(KVARTON_XLSXWRITER_MEMBER)
#undef KVARTON_XLSXWRITER_MEMBER
};

// The library, loaded at the first call (safe from any thread); nullptr when it cannot be, with
// `problem` saying why in Russian, fit to end "Отчет не создан: …".
const XlsxWriterLibrary* xlsxWriterLibrary(std::string& problem);

// Whether the library has been loaded by now (always, where it is linked statically).
bool xlsxWriterLoaded();

} // namespace kvarton::report
