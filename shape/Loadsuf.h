// Unit Loadsuf: vectors and matrices, the shape and attribute model, the attribute and shape file
// readers and the preview renderer.
#pragma once

#include "shape/Atr.h"
#include "shape/Render.h"
#include "shape/Shape.h"
#include "shape/SufReader.h"
#include "shape/VecMath.h"
