#include "shape/Shape.h"

#include <climits>
#include <utility>

void XFace::AddVertex(const Vec3& v) {
  if (count == INT_MAX) return;
  vertices.push_back(v);
  ++count;
}

void XFace::ComputeNormal() {
  if (count < 3) {
    normal = Normalize(normal);
    return;
  }
  const Vec3& p0 = vertices[0];
  const Vec3& p1 = vertices[1];
  const Vec3& p2 = vertices[2];
  const Vec3 a{p0.x - p1.x, p0.y - p1.y, p0.z - p1.z};
  const Vec3 b{p1.x - p2.x, p1.y - p2.y, p1.z - p2.z};
  normal = Normalize(Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x});
}

XLoaderSuf::XLoaderSuf() : view(MatrixIdentity()) {}

XLoaderSuf::~XLoaderSuf() { Clear(); }

bool XLoaderSuf::AddFace(std::unique_ptr<XFace> face) {
  if (count == INT_MAX || face == nullptr) return false;
  faces.push_back(std::move(face));
  ++count;
  return true;
}

void XLoaderSuf::Clear() {
  std::vector<std::unique_ptr<XFace>>().swap(faces);
  count = 0;
}

void XLoaderSuf::UpdateBounds() {
  min = Vec3{1e30f, 1e30f, 1e30f};
  max = Vec3{-1e30f, -1e30f, -1e30f};
  for (const auto& face : faces) {
    for (const Vec3& v : face->vertices) {
      if (min.x > v.x) min.x = v.x;
      if (min.y > v.y) min.y = v.y;
      if (min.z > v.z) min.z = v.z;
      if (max.x < v.x) max.x = v.x;
      if (max.y < v.y) max.y = v.y;
      if (max.z < v.z) max.z = v.z;
    }
  }
}

void XLoaderSuf::UpdateNormals() {
  for (const auto& face : faces) face->ComputeNormal();
}
