// The help command: the user's guide "Tesaro.pdf", the program's own file, opened with the
// desktop's program for PDF files.
#pragma once

class QWidget;

// Opens the guide; when the desktop cannot (no file, no program) says so. False then.
bool hlpbtnClick(QWidget* parent);
