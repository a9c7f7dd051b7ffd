#pragma once
#include <QIcon>
#include <QString>

namespace zv::ui {

// A picture of the shared image list drawn by the painter alone when its SVG
// is nothing but straight strokes (paths of M, L, H, V and Z commands with
// stroke and fill colours, width, caps and joins), as the login's OK and
// Cancel are: showing it loads neither the SVG icon engine nor its library,
// which is a fair part of what the window the program starts with costs.
// Any other picture is icon(key).
QIcon strokeIcon(const QString &key);

} // namespace zv::ui
