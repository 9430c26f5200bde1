// A probe: image may not use this header, so this unit must not compile (tests/layering).
#include "app/Workflow.h"
