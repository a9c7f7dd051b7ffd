#pragma once
#include <Qt>

// Key codes and shift states as the forms' key handlers take them.
namespace zv::ui {

namespace vbKey {
inline constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Escape = 27, Space = 32,
                     PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39,
                     Down = 40, Insert = 45, Delete = 46, F1 = 112, F2 = 113, F3 = 114, F4 = 115,
                     F5 = 116, F6 = 117, F7 = 118, F8 = 119, F9 = 120, F10 = 121, F11 = 122, F12 = 123;
// Letters are 65..90 ('A'..'Z'), top-row digits 48..57, keypad digits 96..105.
}

namespace vbShiftMask {
inline constexpr int Shift = 1, Ctrl = 2, Alt = 4;
}

// Qt key -> VB key code; 0 for keys without one.
int vbKeyCodeFromQt(int qtKey, Qt::KeyboardModifiers mods);
// VB key code -> Qt key (for synthesising events in tests and SendKeys).
int qtKeyFromVbKeyCode(int keyCode);
int vbShiftFromQt(Qt::KeyboardModifiers mods);
Qt::KeyboardModifiers qtModifiersFromVbShift(int shift);

} // namespace zv::ui
