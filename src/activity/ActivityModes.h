#pragma once
#include "framework/FormModes.h"

// The Activity Master's modes are the data forms' own: the activity header
// being added or modified, and the detail line being entered or deleted.
namespace zv::activity {

using HeaderMode = zv::fw::Mode;
using DetailMode = zv::fw::DetailMode;

} // namespace zv::activity
