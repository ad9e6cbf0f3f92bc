#pragma once

#include "app/main_host.h"
#include "model/tournament.h"

namespace drav::app {

// Reports > QuickPrint Stage Standings > NAME: the stage's team standings in a text window.
void QuickPrintStage(const Tournament& t, int stage, MainHost& host);
// Reports > QuickPrint Stage Individuals > NAME.
void QuickPrintStageIndividuals(const Tournament& t, int stage, MainHost& host);
// Reports > QuickPrint Final Ranking; a message when there are no stages.
void QuickPrintFinalRanking(const Tournament& t, MainHost& host);

}  // namespace drav::app
