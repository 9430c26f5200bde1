// The in-memory model of one shape: a flat list of polygons, each with its own vertices (model
// coordinates, file order), one face normal and one colour. The view rotation and zoom belong to the
// viewer: clearing and loading leave them as they are, so the next shape is shown the same way.
#pragma once

#include <memory>
#include <vector>

#include "shape/VecMath.h"

class XFace {
 public:
  void AddVertex(const Vec3& v);
  // Normal of the plane of the first three vertices, p0 - p1 cross p1 - p2, normalized. With fewer
  // than three vertices the stored normal is normalized in place.
  void ComputeNormal();

  int count = 0;                // number of vertices
  std::vector<Vec3> vertices;   // exactly count entries
  Vec3 normal{0.0f, 0.0f, 1.0f};
  Vec3 color{1.0f, 1.0f, 1.0f};  // red in x, green in y, blue in z, nominally 0 to 1
};

class XLoaderSuf {
 public:
  XLoaderSuf();
  ~XLoaderSuf();
  XLoaderSuf(const XLoaderSuf&) = delete;
  XLoaderSuf& operator=(const XLoaderSuf&) = delete;

  // Takes ownership. False (the face is dropped) only when the count would pass the int range.
  bool AddFace(std::unique_ptr<XFace> face);
  // Frees every face; the bounds, view and zoom stay.
  void Clear();
  // min/max over every vertex; with no vertex at all they stay at +1e30 / -1e30.
  void UpdateBounds();
  void UpdateNormals();

  int count = 0;                              // number of polygons, the count the window shows
  std::vector<std::unique_ptr<XFace>> faces;  // exactly count entries, file order
  Vec3 min{0.0f, 0.0f, 0.0f};
  Vec3 max{0.0f, 0.0f, 0.0f};
  Matrix4 view;       // the preview's rotation
  float zoom = 1.0f;  // the preview's magnification
};
