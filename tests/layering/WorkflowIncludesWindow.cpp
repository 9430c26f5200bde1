// A probe: the workflow core may not use this header, so this unit must not compile (tests/layering).
#include "app/Main.h"
