// Deleting the register list's current card with its household members, after a question.
#pragma once

class QWidget;
class TDataModule1;

// Asks whether to delete the current card (No is the default); on Yes removes the card's
// members, then the card, and reopens the list. Commits nothing: the deletion becomes
// durable with the next commit of the transaction. False when nothing was deleted.
bool DelClick(TDataModule1& data, QWidget* parent);
