// The "ЛБД" button of the card editor's member panel: looks the member's personal number up
// in the population database, shows the check window and copies the chosen rows into the card.
#pragma once

class TLBDForm;
class TViewKart;

// The card window's bLBDClick. Takes the member's number and the fields the copy may change
// from the card window as a value (LbdCardFields) and gives the changed fields back the same
// way. Errors (no library) go to the general error display; the editor stays as it was.
void CheckMemberInPopulationDatabase(TViewKart& kart, TLBDForm& form);
