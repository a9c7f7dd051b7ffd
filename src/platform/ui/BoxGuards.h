#pragma once

class QLineEdit;
class QWidget;

namespace zv::ui {

// Refuses every way of pasting into the box (paste keys, context menu,
// middle click, dropped text); what is typed still goes through its key rules.
// The clipboard itself is left alone.
void refusePaste(QWidget *box);

// Selects the box's whole text whenever it takes the focus.
void selectAllOnFocus(QLineEdit *box);

// Centred horizontally, a quarter of the free screen height from the top.
void placeWindow(QWidget *window);

} // namespace zv::ui
