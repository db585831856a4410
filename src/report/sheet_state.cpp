#include "sheet_state.h"

#include "row_fit.h"

#include <algorithm>

#include <algorithm>

namespace kvarton::report {

CellState& SheetState::cell(int row, int column)
{
    auto [it, added] = cells_.try_emplace({row, column});
    if (added)
        if (const auto col = columns_.find(column); col != columns_.end())
            it->second.format = col->second.format;
    return it->second;
}

void SheetState::write(int row, int column, CellValue value) { cell(row, column).value = std::move(value); }

void SheetState::format(const CellRange& range, const std::function<void(CellFormat&)>& change)
{
    if (range.wholeColumns) {
        for (int c = range.firstColumn; c <= range.lastColumn; ++c)
            change(columns_[c].format);
        for (auto& [pos, state] : cells_)
            if (range.contains(pos.first, pos.second))
                change(state.format);
        return;
    }
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstColumn; c <= range.lastColumn; ++c)
            change(cell(r, c).format);
}

void SheetState::setWidth(const CellRange& columns, double width)
{
    for (int c = columns.firstColumn; c <= columns.lastColumn; ++c)
        columns_[c].width = width;
}

void SheetState::merge(const CellRange& range)
{
    unmerge(range);
    merges_.push_back(range);
    for (auto& [pos, state] : cells_)
        if (range.contains(pos.first, pos.second) && pos != Position{range.firstRow, range.firstColumn})
            state.value = std::monostate{};
}

void SheetState::unmerge(const CellRange& range)
{
    std::erase_if(merges_, [&](const CellRange& m) { return m.intersects(range); });
}

void SheetState::fitRows()
{
    rowHeights_.clear();
    auto widthOf = [this](int column) {
        const auto c = columns_.find(column);
        return c != columns_.end() && c->second.width ? *c->second.width : kDefaultColumnWidth;
    };
    for (const auto& [pos, cell] : cells_) {
        const auto* text = std::get_if<std::string>(&cell.value);
        if (!text)
            continue;
        double width = widthOf(pos.second);
        bool covered = false;
        for (const CellRange& m : merges_) {
            if (!m.contains(pos.first, pos.second))
                continue;
            covered = pos != Position{m.firstRow, m.firstColumn};
            width = 0;
            for (int c = m.firstColumn; c <= m.lastColumn; ++c)
                width += widthOf(c);
        }
        if (covered)
            continue;
        const bool wrap = cell.format.alignment && cell.format.alignment->wrapText;
        const double height = fittedRowHeight(*text, width, wrap);
        if (height > kDefaultRowHeight)
            rowHeights_[pos.first] = std::max(rowHeights_[pos.first], height);
    }
}

} // namespace kvarton::report
