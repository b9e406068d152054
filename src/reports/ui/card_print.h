// The card print ("Бланка" in the card editor): the stored card filled into the form
// template "Tesaro_card.rtf" and opened as "output.rtf" in the user's folder.
#pragma once

#include <QDate>
#include <QString>

class QWidget;
class TDataModule1;
class TViewKart;

inline constexpr const char* kCardTemplateName = "Tesaro_card.rtf";
inline constexpr const char* kCardPrintFailedMessage = "Моля затворете Document.rtf или output.rtf!";

// The template in the working folder, else the program's own (core/program_files.h); the
// working folder's name when neither exists (reading it then fails like any missing template).
QString CardTemplatePath();
// The user's folder followed by "output.rtf".
QString CardPrintResultPath();

// Fills the template with the card's values and opens the result. Any failure (template
// missing or unreadable, result not writable, a database error, no program to open it)
// shows "Моля затворете Document.rtf или output.rtf!" and returns false.
bool PrintCard(TDataModule1& data, int cardId, const QString& userName, const QDate& today,
               const QString& templatePath, const QString& resultPath, QWidget* parent);

// The card window's ButtonPrintClick ("Бланка"): the card open in the editor, as last saved,
// for the signed-in user.
void PrintOpenCard(TViewKart& kart, TDataModule1& data);
