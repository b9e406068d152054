// Setting the state of one card or of every card in the register list: the note line each
// change leaves in the card's system notes, and the entries of the list's status menu.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

class TDataModule1;

// "***(user/dd.MM.yyyy hh:mm:ss)-> Промяна на състояние от <old> на <new>", the state names
// with every run of blanks collapsed to one (a blank-padded name keeps one trailing blank).
QString ComposeStateNote(const QString& userName, const QDateTime& now, const QString& oldName,
                         const QString& newName);

// The notes as lines each ended by CR LF, with `line` first. Existing lines may end with
// CR LF, LF or CR; a last line without a break gets one; empty notes give only the new line.
QString PrependNoteLine(const QString& existingNotes, const QString& line);

// Sets the state of the list's current card to `code`, with a note line, and commits
// retaining. Returns the number of cards changed (0 when the list has no current row).
// Throws DbError, before anything is written, when the old or the new state has no name.
// The caller refreshes the list afterwards.
int SetSTATUS(TDataModule1& data, int code);

// The same for every card of the list, in list order (a card listed twice changes once).
// Every card's names are checked before the first one is written.
int SetALLSTATUS(TDataModule1& data, int code);

// One entry of the status menu: a state (radio, ticked for the current card's state) or,
// with forAll, "За Всички - " and the state's name.
struct StatusMenuEntry {
  QString caption;
  int code = 0;
  bool forAll = false;
  bool checked = false;
};

// The status menu as it is rebuilt on every opening: the named states of codes 0 to 9,
// then the same states once more as "За Всички - " entries.
std::vector<StatusMenuEntry> StatusMenuEntries(TDataModule1& data);
