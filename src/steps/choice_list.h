#pragma once

#include <QComboBox>

namespace kvarton {

class ItemList;

// A choice-only drop-down list over a shared item list. Its width comes from the longest item's
// length, known in advance, instead of from measuring every item.
class ChoiceList final : public QComboBox {
    Q_OBJECT
public:
    ChoiceList(ItemList* items, const QString& objectName, QWidget* parent);

    // Selects the item that reads `text`; with no such item, nothing is selected.
    void showText(const QString& text);
    bool hasChoice() const { return currentIndex() >= 0; }
    // Selects the item as a learner's click does, telling whoever listens to `activated`.
    bool choose(const QString& text);

    // As wide as the widest item of the kind, known without measuring this list's items.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // A marked list (a total smaller than its parts) has the dark red frame of a marked amount.
    void setMarked(bool marked);
    bool isMarked() const { return marked_; }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool marked_ = false;
    ItemList* items_;
    mutable QSize hint_;
};

} // namespace kvarton
