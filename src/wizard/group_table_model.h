#pragma once

#include "summary/summary_rows.h"

#include <QAbstractTableModel>

#include <vector>

namespace kvarton {

// The group a summary read, as a table: a row per report with the summary's columns (file,
// region, institution, learner, then the figures of summaryColumns()), the figures far from the
// group's typical value (summary::farFigures) marked. Sorting goes by Qt::UserRole: numbers as
// numbers, texts as texts, a figure the step did not show before every number.
class GroupTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GroupTableModel(QObject* parent = nullptr);

    void setRows(std::vector<summary::SummaryRow> rows);
    const summary::SummaryRow& row(int r) const { return rows_.at(static_cast<std::size_t>(r)); }
    // How many figures are marked, for the line above the table.
    int farCount() const { return farCount_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static constexpr int kIdentityColumns = 4;

private:
    std::vector<summary::SummaryRow> rows_;
    std::vector<std::vector<bool>> far_;
    int farCount_ = 0;
};

} // namespace kvarton
