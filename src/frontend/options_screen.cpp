// Placeholder until the options screen lands.
#include "frontend.h"

void options_screen() {}
