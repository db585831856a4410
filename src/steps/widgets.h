#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QStringList>

#include <string_view>

namespace kvarton {

inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A named label; long texts wrap instead of widening the window.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, bool wrap = false);

// A widget that takes the focus but draws none of its own (a value that can be asked, a link of an
// explanation) shows it by the style's focus frame within its own edges, so that nothing moves.
void paintFocusFrame(QWidget& widget);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text);

// The title of a step or screen: bold, wrapping.
QLabel* makeTitle(QWidget* parent, const QString& name, const QString& text);

// A box around a group of controls (a frame of the screen design).
QFrame* makeBox(QWidget* parent, const QString& name);

// A list of lines a learner reads and may copy (inputs to mend), in a box of its own that scrolls
// when the list is long: `list` is the label named `listName`, `area` the box named `areaName`.
// With `fittedLines`, the box is as tall as the wrapped list up to that many lines; after a change
// of the list's text, fitScrollingList gives it its new height.
struct ScrollingList {
    QLabel* list = nullptr;
    QWidget* area = nullptr;
};
ScrollingList makeScrollingList(QWidget* parent, const QString& listName, const QString& areaName, int fittedLines = 0);
void fitScrollingList(const ScrollingList& list);

// Gives the list its lines, each in `linked` a link that the mouse and the keyboard follow (Tab
// reaches each, Enter follows it; the list's label emits linkActivated with the line's index as
// text), the others plain. A list with links shows rich text (labelText reads it as the lines
// joined by newlines), one without plain text. While the keyboard stands on a link, the list's
// accessible name is that link's text, so that a screen reader says where Enter leads.
void setListLines(const ScrollingList& list, const QStringList& lines, const QList<bool>& linked);

// The text a label shows: a label of rich text (a list with links) reads as plain text, its lines
// joined by newlines as a plain label's are.
QString labelText(const QLabel& label);

// A value cell of a results table: right-aligned, in tabular figures where the font has them, so that
// digits line up.
QLabel* makeValue(QWidget* parent, const QString& name, const QString& placeholder);

} // namespace kvarton
