#pragma once
#include "platform/ui/TextBox.h"
#include <QLineEdit>

// Key handling of the masked boxes whose rules keep no state between keys.
// Each takes the KeyDown arguments of the hooked box: the handled key's code
// becomes 0; a code left as it was goes on to the box (caret keys, Tab ...).
namespace zv::dateinput {

// The numeric date box "__/__/____" (dd/mm/yyyy).
void numericDateKeyDown(zv::ui::TextBox box, int &KeyCode, int Shift);
// The date-and-time box "__/__/____ __:__ _M" (dd/mm/yyyy hh:mm, then A or P).
void dateTimeKeyDown(zv::ui::TextBox box, int &KeyCode, int Shift);

} // namespace zv::dateinput
