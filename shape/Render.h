// The preview renderer: fits a shape's bounding box into a picture, turns it by the shape's view and
// zoom, projects in perspective, lights each polygon with one fixed light and an ambient term, and
// draws it through velrast as a fan of depth-tested triangles.
//
// Calling protocol: vlrSetColor(background) first (vlrInitBuffer and vlrClear take the current
// colour), then RenderShape, then vlrGetDib for a thumbnail, and vlrDestroy in every case.
#pragma once

#include "platform/Gdi.h"
#include "shape/Shape.h"

// Draws `shape` (bounds and normals up to date) into a new width x height buffer at 24 bits per
// pixel, and copies it into `dc` at (0, 0) unless `dc` is null. A shape whose bounding box has no
// extent at all is not drawn and leaves no buffer.
void RenderShape(const XLoaderSuf& shape, HDC dc, int width, int height);

// One pointer step of (dx, dy) pixels over the preview with the left button held: turns the view
// about the screen-plane axis at right angles to the step by d / sqrt(50^2 + d^2) radians, d the
// step's length. False, and nothing turned, for a step of no length.
bool RotateView(XLoaderSuf& shape, int dx, int dy);

// One pointer step of dx pixels with the right button held: the zoom grows by 1.01^dx.
void ZoomView(XLoaderSuf& shape, int dx);
