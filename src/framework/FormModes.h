#pragma once

// The data forms' modes. Their values are the header object's button codes
// (H_ButtonKey) of the keys that open them.
namespace zv::fw {

// The row being edited (or chosen) on a data form.
enum class Mode : int { None = 0, Add = 1, Modify = 2, Select = 5 };

// The detail line being entered or deleted on a header/detail form.
enum class DetailMode : int { None = 0, DetailAdd = 6, DetailModify = 7, DetailDelete = 8 };

} // namespace zv::fw
