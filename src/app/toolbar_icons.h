// The toolbar's pictures, drawn by the program itself so they are sharp at any size and
// need no image files.
#pragma once

#include <QIcon>

enum class ToolbarPicture { Register, Modify, Refresh, Export, Ranking, List, About, Exit };

QIcon ToolbarIcon(ToolbarPicture picture, int size = 50);
