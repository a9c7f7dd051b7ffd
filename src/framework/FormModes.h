#pragma once

// The data forms' modes. Their values are the header object's button codes
// (H_ButtonKey) of the keys that open them.
namespace zv::fw {

// The edit state of a data form: nothing shown or no edit (None), a row being
// added or modified, or a row chosen and shown (Select). The form records it
// in its header object too, which is where the codes come from.
enum class Mode : int { None = 0, Add = 1, Modify = 2, Select = 5 };

// The detail line being entered or deleted on a header/detail form.
enum class DetailMode : int { None = 0, DetailAdd = 6, DetailModify = 7, DetailDelete = 8 };

} // namespace zv::fw
