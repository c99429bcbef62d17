// Placeholder until the players screen lands.
#include "frontend.h"

void players_screen() {}
