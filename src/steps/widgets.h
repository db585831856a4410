#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include <string_view>

namespace kvarton {

inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A named label; long texts wrap instead of widening the window.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, bool wrap = false);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text);

// The title of a step or screen: bold, wrapping.
QLabel* makeTitle(QWidget* parent, const QString& name, const QString& text);

// A box around a group of controls (a frame of the screen design).
QFrame* makeBox(QWidget* parent, const QString& name);

// A value cell of a results table: right-aligned, in tabular figures where the font has them, so that
// digits line up.
QLabel* makeValue(QWidget* parent, const QString& name, const QString& placeholder);

} // namespace kvarton
