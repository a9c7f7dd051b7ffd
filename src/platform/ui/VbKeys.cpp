#include "platform/ui/VbKeys.h"

namespace zv::ui {

namespace {

struct KeyPair {
    int qt;
    int vb;
};

// Keys whose code does not follow from a range. The first entry of a VB code is
// the Qt key that code converts back to.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, vbKey::Back},      {Qt::Key_Tab, vbKey::Tab},
    {Qt::Key_Backtab, vbKey::Tab},         {Qt::Key_Clear, 12},
    {Qt::Key_Return, vbKey::Return},       {Qt::Key_Enter, vbKey::Return},
    {Qt::Key_Shift, vbKey::Shift},         {Qt::Key_Control, vbKey::Control},
    {Qt::Key_Alt, 18},                     {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},                {Qt::Key_Escape, vbKey::Escape},
    {Qt::Key_Space, vbKey::Space},         {Qt::Key_PageUp, vbKey::PageUp},
    {Qt::Key_PageDown, vbKey::PageDown},   {Qt::Key_End, vbKey::End},
    {Qt::Key_Home, vbKey::Home},           {Qt::Key_Left, vbKey::Left},
    {Qt::Key_Up, vbKey::Up},               {Qt::Key_Right, vbKey::Right},
    {Qt::Key_Down, vbKey::Down},           {Qt::Key_Select, 41},
    {Qt::Key_Print, 42},                   {Qt::Key_Execute, 43},
    {Qt::Key_SysReq, 44},                  {Qt::Key_Insert, vbKey::Insert},
    {Qt::Key_Delete, vbKey::Delete},       {Qt::Key_Help, 47},
    {Qt::Key_NumLock, 144},                {Qt::Key_ScrollLock, 145},
    {Qt::Key_Menu, 93},
    // Punctuation keys of a US keyboard, unshifted and shifted.
    {Qt::Key_Semicolon, 186},  {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},      {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},      {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},     {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},      {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},  {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},  {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},   {Qt::Key_QuoteDbl, 222},
    // Shifted top-row digits.
    {Qt::Key_ParenRight, 48}, {Qt::Key_Exclam, 49},    {Qt::Key_At, 50},
    {Qt::Key_NumberSign, 51}, {Qt::Key_Dollar, 52},    {Qt::Key_Percent, 53},
    {Qt::Key_AsciiCircum, 54}, {Qt::Key_Ampersand, 55}, {Qt::Key_Asterisk, 56},
    {Qt::Key_ParenLeft, 57},
};

// Keypad keys other than digits.
constexpr KeyPair kKeypad[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
    {Qt::Key_Enter, vbKey::Return},
};

} // namespace

int vbKeyCodeFromQt(int qtKey, Qt::KeyboardModifiers mods) {
    const bool keypad = mods.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? 96 : 48) + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return vbKey::F1 + (qtKey - Qt::Key_F1);
    if (keypad) {
        for (const KeyPair &k : kKeypad)
            if (k.qt == qtKey)
                return k.vb;
    }
    for (const KeyPair &k : kKeys)
        if (k.qt == qtKey)
            return k.vb;
    return 0;
}

int qtKeyFromVbKeyCode(int keyCode) {
    if (keyCode >= 'A' && keyCode <= 'Z')
        return Qt::Key_A + (keyCode - 'A');
    if (keyCode >= 48 && keyCode <= 57)
        return Qt::Key_0 + (keyCode - 48);
    if (keyCode >= 96 && keyCode <= 105)   // keypad digits: the modifier is the caller's
        return Qt::Key_0 + (keyCode - 96);
    if (keyCode >= vbKey::F1 && keyCode <= vbKey::F1 + 23)
        return Qt::Key_F1 + (keyCode - vbKey::F1);
    for (const KeyPair &k : kKeypad)
        if (k.vb == keyCode && keyCode != vbKey::Return)
            return k.qt;
    for (const KeyPair &k : kKeys)
        if (k.vb == keyCode)
            return k.qt;
    return 0;
}

int vbShiftFromQt(Qt::KeyboardModifiers mods) {
    int shift = 0;
    if (mods.testFlag(Qt::ShiftModifier))
        shift |= vbShiftMask::Shift;
    if (mods.testFlag(Qt::ControlModifier))
        shift |= vbShiftMask::Ctrl;
    if (mods.testFlag(Qt::AltModifier))
        shift |= vbShiftMask::Alt;
    return shift;
}

Qt::KeyboardModifiers qtModifiersFromVbShift(int shift) {
    Qt::KeyboardModifiers mods;
    if (shift & vbShiftMask::Shift)
        mods |= Qt::ShiftModifier;
    if (shift & vbShiftMask::Ctrl)
        mods |= Qt::ControlModifier;
    if (shift & vbShiftMask::Alt)
        mods |= Qt::AltModifier;
    return mods;
}

} // namespace zv::ui
