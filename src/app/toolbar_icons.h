// The toolbar's pictures, drawn by the program itself so they are sharp at any size and
// need no image files.
#pragma once

#include <QIcon>

enum class ToolbarPicture { Register, Modify, Refresh, Export, Ranking, List, About, Exit };

// The picture as an icon drawn afresh at every size and device pixel ratio it is shown at;
// `size` is the size it offers as its own (the toolbar's icon size).
QIcon ToolbarIcon(ToolbarPicture picture, int size = 50);
