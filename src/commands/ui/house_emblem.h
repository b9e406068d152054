// The program's emblem, a house over an open card, drawn in code so no picture file is needed.
#pragma once

#include <QPixmap>

QPixmap HouseEmblem(int size);
