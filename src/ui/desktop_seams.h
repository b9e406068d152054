// Puts the real desktop behind the program's seams: message boxes for the message seam and the
// desktop's associated programs for opening files. The application object calls it once at
// start; tests install their own recorders instead.
#pragma once

void InstallDesktopSeams();
