#include "MeshBuilder.h"

#include <cmath>
#include <numbers>

namespace plumora::tools {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

}  // namespace

Point3 operator+(const Point3& a, const Point3& b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
Point3 operator-(const Point3& a, const Point3& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Point3 operator*(double s, const Point3& a) {
  return {s * a[0], s * a[1], s * a[2]};
}
Point3 Cross(const Point3& a, const Point3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Length(const Point3& a) {
  return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
}
Point3 Normalised(const Point3& a) {
  return (1.0 / Length(a)) * a;
}

Point3 Frame::At(double x, double y, double z) const {
  return origin + Direction(x, y, z);
}
Point3 Frame::Direction(double x, double y, double z) const {
  return x * ex + y * ey + z * ez;
}

Frame FrameAlong(const Point3& origin, const Point3& axis) {
  Frame f;
  f.origin = origin;
  f.ex = Normalised(axis);
  // Any direction not along the axis gives the second one.
  const Point3 helper = std::fabs(f.ex[2]) < 0.9 ? Point3{0, 0, 1} : Point3{1, 0, 0};
  f.ey = Normalised(Cross(helper, f.ex));
  f.ez = Cross(f.ex, f.ey);
  return f;
}

int MeshPart::AddPoint(const Point3& position, const Point3& normal, const Point2& st) {
  vertices.push_back(position);
  normals.push_back(normal);
  if (withTexCoords) texCoords.push_back(st);
  return static_cast<int>(vertices.size()) - 1;
}

void MeshPart::AddTriangle(int a, int b, int c) {
  const auto& t = withTexCoords ? std::array<int, 3>{a, b, c} : std::array<int, 3>{0, 0, 0};
  triangles.push_back({{a, b, c}, {a, b, c}, t});
}

void MeshPart::AddQuad(int a, int b, int c, int d) {
  AddTriangle(a, b, c);
  AddTriangle(a, c, d);
}

ProfilePoint AtAngle(double x, double r, double eta) {
  return {x, r, std::cos(eta), std::sin(eta)};
}

void Revolve(MeshPart& part, const Frame& frame, const std::vector<ProfilePoint>& profile,
             int segments, int first, int count) {
  if (count < 0) count = segments;
  // The corners of every ring, shared by the bands on either side of it.
  std::vector<std::vector<int>> rings;
  for (std::size_t i = 0; i < profile.size(); ++i) {
    const ProfilePoint& p = profile[i];
    const double t = profile.size() > 1 ? static_cast<double>(i) / (profile.size() - 1) : 0.0;
    std::vector<int>& ring = rings.emplace_back();
    for (int k = first; k <= first + count; ++k) {
      const double phi = kTwoPi * k / segments;
      const double c = std::cos(phi), s = std::sin(phi);
      ring.push_back(part.AddPoint(frame.At(p.x, p.r * c, p.r * s),
                                   Normalised(frame.Direction(p.nx, p.nr * c, p.nr * s)),
                                   {static_cast<double>(k) / segments, t}));
    }
  }
  for (std::size_t i = 0; i + 1 < profile.size(); ++i) {
    // Corners in the order a, b, c, d turn about the meridian direction (-dr, dx); take them
    // so that they turn counter-clockwise about the outward normal.
    const ProfilePoint &p = profile[i], &q = profile[i + 1];
    const bool forward = -(q.r - p.r) * (p.nx + q.nx) + (q.x - p.x) * (p.nr + q.nr) > 0.0;
    for (int k = 0; k < count; ++k) {
      const int a = rings[i][k], b = rings[i][k + 1];
      const int c = rings[i + 1][k + 1], d = rings[i + 1][k];
      if (p.r == 0.0) {
        forward ? part.AddTriangle(a, c, d) : part.AddTriangle(a, d, c);
      } else if (q.r == 0.0) {
        forward ? part.AddTriangle(a, b, d) : part.AddTriangle(a, d, b);
      } else {
        forward ? part.AddQuad(a, b, c, d) : part.AddQuad(a, d, c, b);
      }
    }
  }
}

void Disc(MeshPart& part, const Frame& frame, double x, double r, int segments, int facing) {
  const Point3 normal = frame.Direction(facing, 0, 0);
  std::vector<int> ring;
  for (int k = 0; k < segments; ++k) {
    const double phi = kTwoPi * k / segments;
    ring.push_back(part.AddPoint(frame.At(x, r * std::cos(phi), r * std::sin(phi)), normal,
                                 {0.5 + 0.5 * std::cos(phi), 0.5 + 0.5 * std::sin(phi)}));
  }
  for (int k = 1; k + 1 < segments; ++k) {
    facing > 0 ? part.AddTriangle(ring[0], ring[k], ring[k + 1])
               : part.AddTriangle(ring[0], ring[k + 1], ring[k]);
  }
}

void Tube(MeshPart& part, const Point3& a, const Point3& b, double radius, int sides) {
  const Point3 d = b - a;
  Revolve(part, FrameAlong(a, d), {{0.0, radius, 0, 1}, {Length(d), radius, 0, 1}}, sides);
}

void Box(MeshPart& part, const Frame& frame, const Point3& half) {
  for (int axis = 0; axis < 3; ++axis) {
    for (int sign : {1, -1}) {
      // The face square to `axis` on the `sign` side, its corners counter-clockwise outside.
      const int u = (axis + 1) % 3, v = (axis + 2) % 3;
      Point3 n{0, 0, 0};
      n[axis] = sign;
      int corners[4];
      const double us[4] = {-1, 1, 1, -1}, vs[4] = {-1, -1, 1, 1};
      for (int c = 0; c < 4; ++c) {
        Point3 p{0, 0, 0};
        p[axis] = sign * half[axis];
        p[u] = us[c] * half[u];
        p[v] = sign * vs[c] * half[v];
        corners[c] = part.AddPoint(frame.At(p[0], p[1], p[2]), frame.Direction(n[0], n[1], n[2]));
      }
      part.AddQuad(corners[0], corners[1], corners[2], corners[3]);
    }
  }
}

}  // namespace plumora::tools
