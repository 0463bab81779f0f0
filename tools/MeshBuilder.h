// Building blocks of the bundled 3D models: one material's triangles with their vertex, normal
// and texture-coordinate arrays, and the shapes they are assembled from (surfaces of revolution
// about any axis, flat discs, boxes, plates). Written out in the .ogl layout by OglFileWriter.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace plumora::tools {

using Point3 = std::array<double, 3>;
using Point2 = std::array<double, 2>;

Point3 operator+(const Point3& a, const Point3& b);
Point3 operator-(const Point3& a, const Point3& b);
Point3 operator*(double s, const Point3& a);
Point3 Cross(const Point3& a, const Point3& b);
double Length(const Point3& a);
Point3 Normalised(const Point3& a);

// Colours are red, green, blue from 0 to 1.
struct MeshMaterial {
  Point3 ambient{};
  Point3 diffuse{};
  Point3 specular{};
  Point3 emission{};
  double alpha = 1.0;
  double shininess = 0.0;
};

// An orthonormal frame: a point and the directions of its axes. Shapes are described in
// frame coordinates (x along the frame's axis of revolution).
struct Frame {
  Point3 origin{0, 0, 0};
  Point3 ex{1, 0, 0};
  Point3 ey{0, 1, 0};
  Point3 ez{0, 0, 1};
  Point3 At(double x, double y, double z) const;
  Point3 Direction(double x, double y, double z) const;
};
// A frame at origin whose x axis points along axis (any length), the others chosen square to it.
Frame FrameAlong(const Point3& origin, const Point3& axis);

// One material run of a model: triangles indexing into the three arrays.
struct MeshPart {
  struct Triangle {
    std::array<int, 3> vertex{}, normal{}, texCoord{};
  };
  std::vector<Point3> vertices;
  std::vector<Point3> normals;
  std::vector<Point2> texCoords;  // empty for an untextured part: every corner then uses 0
  std::vector<Triangle> triangles;
  MeshMaterial material;
  std::string texture = "nobitmap";
  bool withTexCoords = false;

  // A corner with its own vertex, normal and (when withTexCoords) texture coordinate, all at
  // the same index, which is returned.
  int AddPoint(const Point3& position, const Point3& normal, const Point2& st = {0, 0});
  // A triangle of three points made by AddPoint, counter-clockwise seen from outside.
  void AddTriangle(int a, int b, int c);
  void AddQuad(int a, int b, int c, int d);  // two triangles, a-b-c and a-c-d
};

// A meridian point of a surface of revolution: axial position, distance from the axis and the
// outward normal's axial and radial parts.
struct ProfilePoint {
  double x, r;
  double nx, nr;
};
// A point of a profile whose normal makes the angle eta (rad) with the axis.
ProfilePoint AtAngle(double x, double r, double eta);

// Revolves the profile (in order, a band between each pair of neighbours) about the frame's x
// axis in `segments` equal steps, or over segments first to first + count - 1 only. A band that
// ends on the axis is a fan of one triangle per segment, any other two. Texture coordinates: s
// the fraction of the full turn, t the fraction along the profile.
void Revolve(MeshPart& part, const Frame& frame, const std::vector<ProfilePoint>& profile,
             int segments, int first = 0, int count = -1);
// A flat disc at axial position x facing +x (facing = 1) or -x (-1): a fan of segments - 2
// triangles over the polygon of `segments` corners.
void Disc(MeshPart& part, const Frame& frame, double x, double r, int segments, int facing);
// An open tube of `sides` sides and the given radius from a to b.
void Tube(MeshPart& part, const Point3& a, const Point3& b, double radius, int sides);
// A box of the given half sizes, axis-aligned in the frame, centred on its origin: 12 triangles.
void Box(MeshPart& part, const Frame& frame, const Point3& half);

}  // namespace plumora::tools
