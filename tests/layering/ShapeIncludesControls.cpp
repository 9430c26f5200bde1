// A probe: shape may not use this header, so this unit must not compile (tests/layering).
#include "controls/PPanel.h"
