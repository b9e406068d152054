// How a ranking loop that stops on a card ends: nothing of the run is kept, the please-wait
// window goes away and the register list is shown again.
#pragma once

class TDataModule1;
class RankingProgress;

// Rolls the run back, ends the progress and reopens the register list; never throws, so
// the error that stopped the run is the one the user sees.
void EndFailedRankingRun(TDataModule1& data, RankingProgress& progress);
