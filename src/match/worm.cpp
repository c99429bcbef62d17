// Worm motion and spawning, and the trail a worm lays.
#include "match.h"
