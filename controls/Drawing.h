// The two drawing primitives of the family: rectangles given by their edges and one-pixel lines
// that leave their end point out.
#pragma once

class QPainter;
class QRect;

// A rectangle given by its edges, right and bottom exclusive: RectLTRB(1, 1, W - 1, H - 1).
QRect RectLTRB(int left, int top, int right, int bottom);
// One-pixel line from (x0, y0) towards (x1, y1) in the pen's colour, the end point left out
// (MoveTo/LineTo semantics: (0,0)->(W,0) covers x = 0 ... W-1).
void DrawLine(QPainter& painter, int x0, int y0, int x1, int y1);
