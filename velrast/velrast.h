// velrast: a small software rasteriser with one process-wide frame buffer. It draws flat-coloured
// triangles, lines and boxes, optionally tested against a float depth buffer (smaller is nearer,
// cleared to 1.0), into one DIB, and then draws that DIB into a device context or hands it out.
//
// Colours are 0x00RRGGBB (blue in the low byte, the byte order of a 24- or 32-bit DIB pixel), not
// the 0x00BBGGRR of a COLORREF. Integer coordinates are pixels, x from the left and y from the top
// row. The "fg" calls take floats relative to the buffer centre with y pointing up.
//
// There are no handles and no locks: every call works on the current buffer, from one thread. A call
// that needs a buffer does nothing when there is none.
#pragma once

#include <stdint.h>

#include "platform/Gdi.h"

// The export table keeps the standard calling convention of system libraries on 32-bit Windows, so
// the decorated names (_vlrInitBuffer@8) are the ones the program's import table names.
#if defined(_WIN32) && !defined(_WIN64)
#define VLR_API __stdcall
#else
#define VLR_API
#endif

#if defined(_WIN32)
#if defined(VELRAST_BUILD)
#define VLR_EXPORT  // the module-definition file names the exports, with their decorated names
#else
#define VLR_EXPORT __declspec(dllimport)
#endif
#else
#define VLR_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Depth of the next buffer: 8 (6x6x6 colour cube), 16 (5-5-5), 24 or 32. 1 if accepted, else 0.
VLR_EXPORT int VLR_API vlrSetRenderBpp(int depth);
// Makes the frame (a top-down DIB) and, when enabled, the depth buffer; pixels are undefined until
// vlrClear. Releases a buffer still present first. 1 on success; 0, with no buffer left, when the
// size is not positive or memory cannot be had.
VLR_EXPORT int VLR_API vlrInitBuffer(int width, int height);
VLR_EXPORT void VLR_API vlrDestroy(void);
// Draws the frame 1:1 with its top-left corner at (x, y); the scan lines drawn, or 0.
VLR_EXPORT int VLR_API vlrRender(HDC dc, int x, int y);
// The frame's info block (header and colour table) and pixel block, both still the library's until
// vlrDestroy. 1; or 0 with both set to null when there is no buffer.
VLR_EXPORT int VLR_API vlrGetDib(BITMAPINFOHEADER** info, unsigned char** pixels);
// Whether the next buffer gets a depth buffer (and whether vlrClear clears it). Returns on.
VLR_EXPORT int VLR_API vlrZBufferEnable(int on);
// Whether drawing tests depth; acts at once when a depth buffer exists. Returns on.
VLR_EXPORT int VLR_API vlrZTestEnable(int on);
VLR_EXPORT uint32_t VLR_API vlrGetColor(void);
VLR_EXPORT void VLR_API vlrSetColor(uint32_t color);
// Components 0.0 to 1.0 (clamped), each scaled by 255.5 and truncated.
VLR_EXPORT void VLR_API vlrSetColorf(float r, float g, float b);
// Fills the frame with the current colour and the depth buffer with 1.0.
VLR_EXPORT void VLR_API vlrClear(void);

// Filled boxes between two corner pixels, both included; vlrBox3 passes where z <= stored depth.
VLR_EXPORT void VLR_API vlrBox(int x1, int y1, int x2, int y2);
VLR_EXPORT void VLR_API vlrBox3(int x1, int y1, int x2, int y2, float z);
// One-pixel lines, both end pixels included; the depth-tested ones pass where z <= stored depth.
VLR_EXPORT void VLR_API vlrLine(int x1, int y1, int x2, int y2);
VLR_EXPORT void VLR_API vlrLine3(int x1, int y1, float z1, int x2, int y2, float z2);
VLR_EXPORT void VLR_API vlrLine3fg(float x1, float y1, float z1, float x2, float y2, float z2);

// Filled triangles in the current colour, either winding; the depth-tested ones pass where
// z < stored depth, so of two triangles at equal depth the first one drawn keeps the pixel.
VLR_EXPORT void VLR_API vlrTriangle(int x1, int y1, int x2, int y2, int x3, int y3);
VLR_EXPORT void VLR_API vlrTriangle3(int x1, int y1, float z1, int x2, int y2, float z2, int x3, int y3,
                                     float z3);
VLR_EXPORT void VLR_API vlrTriangle3fg(float x1, float y1, float z1, float x2, float y2, float z2, float x3,
                                       float y3, float z3);
// As vlrTriangle3; the fourth value of each vertex is carried but not used.
VLR_EXPORT void VLR_API vlrTriangle3c(int x1, int y1, float z1, uint32_t c1, int x2, int y2, float z2,
                                      uint32_t c2, int x3, int y3, float z3, uint32_t c3);

#ifdef __cplusplus
}
#endif
