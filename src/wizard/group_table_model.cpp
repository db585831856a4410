#include "group_table_model.h"

#include "steps/text_field.h"
#include "steps/widgets.h"
#include "summary/outliers.h"
#include "summary/summary_columns.h"

#include "model/conversion.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <limits>

namespace kvarton {

namespace {

const char* const kIdentityHeads[GroupTableModel::kIdentityColumns] = {"Файл", "Регион", "Учреждение", "Слушатель"};

QString identityText(const summary::SummaryRow& r, int column)
{
    const std::string* texts[] = {&r.fileName, &r.region, &r.institution, &r.learner};
    const QString text = QString::fromStdString(*texts[column]);
    if (column == 3 && text.isEmpty())
        return QStringLiteral("(фамилия не указана)");
    return text;
}

} // namespace

GroupTableModel::GroupTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void GroupTableModel::setRows(std::vector<summary::SummaryRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    far_ = summary::farFigures(rows_);
    farCount_ = 0;
    for (const auto& row : far_)
        for (const bool far : row)
            farCount_ += far ? 1 : 0;
    endResetModel();
}

int GroupTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GroupTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kIdentityColumns + static_cast<int>(summary::summaryColumns().size());
}

QVariant GroupTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const summary::SummaryRow& r = rows_.at(static_cast<std::size_t>(index.row()));
    const int column = index.column();
    if (column < kIdentityColumns) {
        if (role == Qt::DisplayRole || role == Qt::UserRole)
            return identityText(r, column);
        return {};
    }
    const auto figure = static_cast<std::size_t>(column - kIdentityColumns);
    const summary::SummaryValue& value = r.figures.at(figure);
    const auto* number = std::get_if<double>(&value);
    const bool far = far_.at(static_cast<std::size_t>(index.row())).at(figure);
    switch (role) {
    case Qt::DisplayRole:
        if (number)
            return qs(listItemText(*number));
        if (const auto* text = std::get_if<std::string>(&value))
            return QString::fromStdString(*text);
        return QString();
    case Qt::UserRole:
        return number ? *number : std::numeric_limits<double>::lowest();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return far ? QBrush(QColor(0xff, 0xd6, 0xd6)) : QVariant();
    case Qt::ForegroundRole:
        return far ? QBrush(kAttentionRed) : QVariant();
    case Qt::FontRole:
        if (far) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return far ? QStringLiteral("Далеко от типичного для группы значения") : QVariant();
    default:
        return {};
    }
}

QVariant GroupTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (section < kIdentityColumns)
        return QString::fromUtf8(kIdentityHeads[section]);
    const summary::SummaryColumn& c = summary::summaryColumns()[static_cast<std::size_t>(section - kIdentityColumns)];
    const QString step = QStringLiteral("Шаг %1").arg(13 + static_cast<int>(c.panel));
    return step + u'\n' + QString::fromStdString(c.group) + u'\n' + QString::fromStdString(c.head);
}

} // namespace kvarton
