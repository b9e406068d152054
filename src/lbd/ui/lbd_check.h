// The "ЛБД" button of the card editor's member panel: looks the member's personal number up
// in the population database, shows the check window and copies the chosen rows into the card.
#pragma once

class TLBDForm;
class TViewKart;

// bLBDClick. Errors (no library) go to the general error display; the editor stays as it was.
void bLBDClick(TViewKart& kart, TLBDForm& form);
