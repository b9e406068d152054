// Recomputing the classification data of every card of the register before a ranking.
#pragma once

class TDataModule1;
class RankingProgress;

// Every card, whatever its state, newest first, with the year of inclusion filled in where
// it is missing; committed at the end. Only the cards whose stored classification differs from
// the recomputed one are written. The register list is closed and stays closed (the
// ranking view reopens it). When a card stops the run, nothing of the run is kept (the
// transaction is rolled back), the progress ends, the list is reopened and the error goes on
// to the caller. Returns the number of cards refreshed.
int RefreshAllClassifications(TDataModule1& data, RankingProgress& progress);
