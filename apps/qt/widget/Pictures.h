#pragma once

#include <QIcon>

namespace lintra {

// The pictures behind the control's two image lists, drawn from the SVG files in the
// ":/pictures" resource at 16 x 16 and 32 x 32 pixels, so that they stay crisp on displays
// scaled to twice the size.
namespace Pictures {

// The number of pictures in each list.
constexpr int TreeCount = 6;
constexpr int ToolbarCount = 7;

// The tree picture at a 1-based position of the tree image list: 1 the page, 2 the include file,
// 3 and 4 those with a warning, 5 and 6 those with a critical error. A null icon elsewhere.
QIcon TreePicture(int position);

// The toolbar picture at a 1-based position of the toolbar image list: collapse all, collapse,
// expand, expand all, complete file, text tree, warnings. A null icon elsewhere.
QIcon ToolbarPicture(int position);

}  // namespace Pictures

}  // namespace lintra
