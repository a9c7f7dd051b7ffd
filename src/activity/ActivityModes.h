#pragma once
#include "framework/FormModes.h"

// The Activity Master's modes. Their values are the header object's button
// codes (H_ButtonKey), which the form reads to know whether it is editing.
namespace zv::activity {

enum class ButtonCode : int {
    None = 0,
    Add = 1,
    Modify = 2,
    Delete = 3,
    Attachment = 4,
    Select = 5,
    DetailAdd = 6,
    DetailModify = 7,
    DetailDelete = 8,
};

// The activity header being edited.
enum class HeaderMode : int { None = 0, Add = int(ButtonCode::Add), Modify = int(ButtonCode::Modify) };

// The detail line being edited or deleted: the header/detail base's.
using DetailMode = zv::fw::DetailMode;

} // namespace zv::activity
