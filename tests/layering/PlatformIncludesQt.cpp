// A probe: platform knows no Qt, so this unit must not compile (tests/layering).
#include <QWidget>
