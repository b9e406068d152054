// The main window's "Сл. Бележка" command: the list narrowed to the selected card, a printer
// dialog, the note printed at once, and the list as it was again.
#pragma once

class QWidget;
class TDataModule1;

// The main window's mSlBelClick. With no card selected, says so and prints nothing. Otherwise
// narrows the register list to the card, asks for a printer, prints the note with the
// register's settings (municipality, issuing office, paper) and restores the list's condition and its current card,
// whether the user printed, cancelled the printer dialog, or printing failed.
void PrintServiceNote(TDataModule1& data, QWidget* parent);
