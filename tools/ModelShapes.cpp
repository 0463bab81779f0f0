#include "ModelShapes.h"

#include <cmath>
#include <numbers>

#include "CapsuleAero.h"

namespace plumora::tools {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;

MeshMaterial Plain(const Point3& diffuse, double ambientShare, double specular, double shininess) {
  MeshMaterial m;
  m.ambient = ambientShare * diffuse;
  m.diffuse = diffuse;
  m.specular = {specular, specular, specular};
  m.shininess = shininess;
  return m;
}

MeshMaterial Uniform(const Point3& colour, double shininess) {
  MeshMaterial m;
  m.ambient = m.diffuse = m.specular = colour;
  m.shininess = shininess;
  return m;
}

// --- The capsule -------------------------------------------------------------------------
// The default capsule of the aerodynamic table, its nose forward along +x and the centre of
// gravity at the origin; the four parts meet where the heat shield reaches its widest.

constexpr int kCapsuleSegments = 48;

// Points of a profile segment from u0 to u1 in n steps (n + 1 points), moved to the model's
// origin.
void Sample(std::vector<ProfilePoint>& out, const ProfileSegment& s, double u0, double u1, int n) {
  for (int i = 0; i <= n; ++i) {
    const SurfacePoint p = PointOnSegment(s, u0 + (u1 - u0) * i / n);
    out.push_back(AtAngle(p.x + kDefaultCapsule.cgFromNose, p.r, p.eta));
  }
}

// Where the shoulder arc reaches the maximum radius (its normal square to the axis).
double ShoulderWidest(const ProfileSegment& shoulder) {
  return (0.5 * kPi - shoulder.eta0) / (shoulder.eta1 - shoulder.eta0);
}

std::vector<MeshPart> CapsuleShield() {
  const auto profile = CapsuleProfile(kDefaultCapsule);
  std::vector<ProfilePoint> points;
  Sample(points, profile[0], 0.0, 1.0, 6);  // spherical nose
  points.pop_back();
  Sample(points, profile[1], 0.0, 1.0, 3);  // cone
  points.pop_back();
  Sample(points, profile[2], 0.0, ShoulderWidest(profile[2]), 4);
  MeshPart part;
  part.material = Plain({0.42, 0.27, 0.16}, 0.6, 0.2, 12.0);  // charred ablator
  Revolve(part, {}, points, kCapsuleSegments);
  return {part};
}

std::vector<MeshPart> CapsuleBody() {
  const auto profile = CapsuleProfile(kDefaultCapsule);
  std::vector<ProfilePoint> points;
  Sample(points, profile[2], ShoulderWidest(profile[2]), 1.0, 3);
  points.pop_back();
  Sample(points, profile[3], 0.0, 1.0, 4);  // back shell
  MeshPart part;
  part.material = Plain({0.92, 0.92, 0.9}, 0.5, 0.5, 24.0);  // white thermal blanket
  Revolve(part, {}, points, kCapsuleSegments);
  // The flat base closing the back shell.
  Disc(part, {}, points.back().x, kDefaultCapsule.baseRadius, kCapsuleSegments, -1);
  return {part};
}

// The parachute canister on the base, and its lid.
constexpr double kCanisterRadius = 0.28;  // m
constexpr double kCanisterHeight = 0.22;  // m

double BaseX() {
  const auto profile = CapsuleProfile(kDefaultCapsule);
  return PointOnSegment(profile[3], 1.0).x + kDefaultCapsule.cgFromNose;
}

std::vector<MeshPart> CapsuleTop1() {
  const double x0 = BaseX(), x1 = x0 - kCanisterHeight;
  MeshPart part;
  part.material = Plain({0.55, 0.57, 0.6}, 0.5, 0.6, 40.0);  // bare aluminium
  Revolve(part, {}, {{x0, kCanisterRadius, 0, 1}, {x1, kCanisterRadius, 0, 1}}, kCapsuleSegments);
  return {part};
}

std::vector<MeshPart> CapsuleTop2() {
  const double x1 = BaseX() - kCanisterHeight;
  const double rim = kCanisterRadius + 0.02, dome = 0.06;
  std::vector<ProfilePoint> points;
  points.push_back({x1, rim, 0, 1});
  points.push_back({x1 - 0.03, rim, -0.5, 0.87});
  for (int i = 0; i <= 4; ++i) {  // a shallow dome to the axis
    const double a = 0.5 * kPi * (1.0 - i / 4.0);
    points.push_back(AtAngle(x1 - 0.03 - dome * std::cos(a), rim * std::sin(a), kPi - 0.6 * a));
  }
  MeshPart part;
  part.material = Plain({0.95, 0.45, 0.08}, 0.5, 0.3, 16.0);  // orange lid
  Revolve(part, {}, points, kCapsuleSegments);
  return {part};
}

// --- The planets -------------------------------------------------------------------------
// Spheres of radius 2 with the equirectangular map wrapped round them: longitude 0 on +x, 90
// east on +y, the north pole on +z, the map's left edge at longitude -180 and its bottom row
// (the first row of a bitmap) at the south pole.

std::vector<MeshPart> Planet(const char* texture) {
  MeshPart part;
  part.texture = texture;
  part.material = Plain({0.85, 0.85, 0.85}, 1.0, 0.1, 10.0);
  constexpr int n = kPlanetSegments, m = kPlanetRings;
  const auto ring = [](int i) { return 1 + (i - 1) * n; };  // first vertex of ring i
  const auto direction = [](double lat, double lon) {
    return Point3{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
  };
  // Vertices and normals: the poles and the rings between them.
  const auto add = [&part](const Point3& d) {
    part.vertices.push_back(kPlanetRadius * d);
    part.normals.push_back(d);
  };
  add({0, 0, -1});
  for (int i = 1; i < m; ++i) {
    for (int k = 0; k < n; ++k) add(direction(kPi * i / m - 0.5 * kPi, 2 * kPi * k / n - kPi));
  }
  add({0, 0, 1});
  const int north = static_cast<int>(part.vertices.size()) - 1;
  // Texture coordinates on an (n + 1) × (m + 1) grid: the seam has both s = 0 and s = 1.
  for (int i = 0; i <= m; ++i) {
    for (int k = 0; k <= n; ++k) {
      part.texCoords.push_back({static_cast<double>(k) / n, static_cast<double>(i) / m});
    }
  }
  const auto st = [](int i, int k) { return i * (n + 1) + k; };
  const auto vertex = [&](int i, int k) { return i == 0 ? 0 : i == m ? north : ring(i) + k % n; };
  const auto triangle = [&](std::array<int, 3> i, std::array<int, 3> k) {
    MeshPart::Triangle t;
    for (int c = 0; c < 3; ++c) {
      t.vertex[c] = t.normal[c] = vertex(i[c], k[c]);
      t.texCoord[c] = st(i[c], k[c]);
    }
    part.triangles.push_back(t);
  };
  for (int i = 0; i < m; ++i) {
    for (int k = 0; k < n; ++k) {
      // Counter-clockwise seen from outside; one triangle per segment at each pole.
      if (i > 0) triangle({i, i, i + 1}, {k, k + 1, k + 1});
      if (i + 1 < m) triangle({i, i + 1, i + 1}, {k, k + 1, k});
    }
  }
  part.withTexCoords = true;
  return {part};
}

// --- The parachute -------------------------------------------------------------------------
// A domed canopy of 20 gores, red and white in turn, its mouth towards +x, with a dark band
// round the vent and a dark hem at the skirt where the suspension lines are sewn on. The lines
// themselves are not part of the mesh: the scenes draw them from the gore seams at the skirt
// (angles 2 pi k / 20) to wherever the parachute's own riser link is, at one pixel or more.

constexpr int kGores = 20;
constexpr int kGoreBands = 8;
constexpr int kHemBands = 2;
constexpr double kSkirtRadius = 4.0;  // m
constexpr double kCanopyDepth = 3.0;  // m, skirt to apex
constexpr double kVentRadius = 0.4;   // m
constexpr double kVentBand = 0.05;    // rad of the meridian angle, about 0.2 m of cloth
constexpr double kHem = 0.05;         // rad of the meridian angle, about 0.15 m of cloth

// The point of the canopy's quarter ellipse at meridian angle theta from its axis, apex
// (theta 0) to skirt (pi / 2), with its outward normal.
ProfilePoint CanopyPoint(double theta) {
  const double x = -kCanopyDepth * std::cos(theta), r = kSkirtRadius * std::sin(theta);
  const Point3 n =
      Normalised({x / (kCanopyDepth * kCanopyDepth), r / (kSkirtRadius * kSkirtRadius), 0.0});
  return {x, r, n[0], n[1]};
}

// The meridian from theta0 to theta1 in equal steps.
std::vector<ProfilePoint> CanopyMeridian(double theta0, double theta1, int bands) {
  std::vector<ProfilePoint> points;
  for (int i = 0; i <= bands; ++i)
    points.push_back(CanopyPoint(theta0 + (theta1 - theta0) * i / bands));
  return points;
}

std::vector<MeshPart> Parachute() {
  const double vent = std::asin(kVentRadius / kSkirtRadius);
  const double goresFrom = vent + kVentBand, goresTo = 0.5 * kPi - kHem;
  std::vector<MeshPart> parts(3);
  parts[0].material = Uniform({0.9, 0.1, 0.1}, 32.0);
  parts[1].material = Uniform({0.8, 0.8, 0.8}, 32.0);
  parts[2].material = Uniform({0.1, 0.1, 0.1}, 64.0);
  for (MeshPart& p : parts) p.withTexCoords = true;
  const std::vector<ProfilePoint> gore = CanopyMeridian(goresFrom, goresTo, kGoreBands);
  for (int k = 0; k < kGores; ++k) Revolve(parts[k % 2], {}, gore, kGores, k, 1);
  Revolve(parts[2], {}, CanopyMeridian(vent, goresFrom, 1), kGores);
  Revolve(parts[2], {}, CanopyMeridian(goresTo, 0.5 * kPi, kHemBands), kGores);
  return parts;
}

// --- Payload meshes 1 to 3: one probe in three stages ------------------------------------
// The probe is a grey cylinder between a red nose cone and a dark red tail cone. Stage 0 has
// its braking devices stowed under a white cover; stage 1 has its inflatable heat shield open;
// stage 2 has also trailed a torus ballute on seven struts and put out two booms and an
// antenna dish.

constexpr Point3 kWhite{1.0, 1.0, 1.0}, kRed{0.878, 0.337, 0.337}, kDarkRed{0.69, 0.102, 0.102},
    kGrey{0.337, 0.337, 0.337};
constexpr int kProbeSegments = 24;

MeshPart ProbePart(const Point3& diffuse) {
  MeshPart part;
  part.material.ambient = {0.118, 0.118, 0.118};
  part.material.diffuse = diffuse;
  part.material.specular = {0.753, 0.753, 0.753};
  part.material.shininess = 8.0;
  return part;
}

// A cone from a base ring (x, r) to its apex, closed by a flat base.
MeshPart Cone(const Point3& colour, double baseX, double apexX, double r) {
  MeshPart part = ProbePart(colour);
  const double length = std::fabs(apexX - baseX), slant = std::hypot(length, r);
  const double nx = (apexX > baseX ? r : -r) / slant, nr = length / slant;
  Revolve(part, {}, {{apexX, 0.0, nx, nr}, {baseX, r, nx, nr}}, kProbeSegments);
  Disc(part, {}, baseX, r, kProbeSegments, apexX > baseX ? -1 : 1);
  return part;
}

std::vector<MeshPart> ProbeCore() {
  MeshPart body = ProbePart(kGrey);
  const Point3 front = Normalised({0.05, 0.2, 0}), back = Normalised({-0.05, 0.2, 0});
  const Point3 frontEdge = Normalised(front + Point3{0, 1, 0});
  const Point3 backEdge = Normalised(back + Point3{0, 1, 0});
  Revolve(body, {},
          {{0.5, 0.45, front[0], front[1]},
           {0.3, 0.5, frontEdge[0], frontEdge[1]},
           {-0.5, 0.5, backEdge[0], backEdge[1]},
           {-0.7, 0.45, back[0], back[1]}},
          kProbeSegments);
  return {Cone(kRed, 0.5, 1.1, 0.45), Cone(kDarkRed, -0.7, -1.1, 0.45), body};
}

MeshPart StowedCover() {
  MeshPart cover = ProbePart(kWhite);
  Revolve(cover, {},
          {{0.38, 0.5, 0.6, 0.8},
           {0.3, 0.58, 0.2, 0.98},
           {0.0, 0.6, 0.0, 1.0},
           {-0.4, 0.58, -0.2, 0.98},
           {-0.5, 0.5, -0.6, 0.8}},
          16);
  return cover;
}

MeshPart ShieldCollar() {
  MeshPart collar = ProbePart(kGrey);
  Revolve(collar, {}, {{0.15, 0.5, 0.83, 0.55}, {0.05, 0.65, 0.83, 0.55}}, 16);
  return collar;
}

// The inflated heat shield: a 60° cone from the collar, a rounded rim and a back face.
MeshPart OpenShield() {
  MeshPart shield = ProbePart(kWhite);
  std::vector<ProfilePoint> points;
  const double eta = 30.0 * kRad, slope = std::tan(eta);
  for (int i = 0; i <= 4; ++i) {
    const double r = 0.65 + 0.2 * i;
    points.push_back(AtAngle(0.05 - (r - 0.65) * slope, r, eta));
  }
  const double rho = 0.15;
  const double cx = points.back().x - rho * std::cos(eta),
               cr = points.back().r - rho * std::sin(eta);
  for (int i = 1; i <= 3; ++i) {
    const double a = eta + i * 60.0 * kRad;
    points.push_back(AtAngle(cx + rho * std::cos(a), cr + rho * std::sin(a), a));
  }
  points.push_back({-0.3, 0.55, -0.9, -0.44});
  Revolve(shield, {}, points, kProbeSegments);
  return shield;
}

// A straight open tube of `sides` sides from a to b, a part of its own.
MeshPart ProbeTube(const Point3& colour, const Point3& a, const Point3& b, double radius,
                   int sides) {
  MeshPart tube = ProbePart(colour);
  Tube(tube, a, b, radius, sides);
  return tube;
}

constexpr double kBalluteX = -2.0, kBalluteRadius = 1.2, kBalluteTube = 0.22;
constexpr int kStruts = 7;

std::vector<MeshPart> Stage0() {
  std::vector<MeshPart> parts{StowedCover()};
  for (MeshPart& p : ProbeCore()) parts.push_back(std::move(p));
  return parts;
}

std::vector<MeshPart> Stage1() {
  std::vector<MeshPart> parts = ProbeCore();
  parts.push_back(ShieldCollar());
  parts.push_back(OpenShield());
  return parts;
}

std::vector<MeshPart> Stage2() {
  std::vector<MeshPart> parts = ProbeCore();
  parts.push_back(ProbeTube(kWhite, {-0.85, 0, 0.3}, {-0.85, 0, 1.5}, 0.03, 14));
  parts.push_back(ProbeTube(kWhite, {-0.85, 0, -0.3}, {-0.85, 0, -1.5}, 0.03, 14));
  MeshPart dish = ProbePart(kGrey);
  Revolve(dish, FrameAlong({-1.12, 0, 0}, {-1, 0, 0}),
          {{0.0, 0.0, 0.9, 0.44}, {0.1, 0.3, 0.9, 0.44}}, 16);
  parts.push_back(dish);
  MeshPart ballute = ProbePart(kRed);
  std::vector<ProfilePoint> tube;
  for (int i = 0; i <= 8; ++i) {
    const double psi = 2 * kPi * i / 8;
    tube.push_back(AtAngle(kBalluteX + kBalluteTube * std::cos(psi),
                           kBalluteRadius + kBalluteTube * std::sin(psi), psi));
  }
  Revolve(ballute, {}, tube, 16);
  parts.push_back(ballute);
  parts.push_back(ShieldCollar());
  parts.push_back(OpenShield());
  for (int k = 0; k < kStruts; ++k) {
    const double phi = 2 * kPi * (k + 0.5) / kStruts, c = std::cos(phi), s = std::sin(phi);
    const double reach = kBalluteRadius - kBalluteTube;
    parts.push_back(ProbeTube(k % 2 ? kGrey : kDarkRed, {-0.8, 0.3 * c, 0.3 * s},
                              {kBalluteX + 0.05, reach * c, reach * s}, 0.02, 8));
  }
  return parts;
}

// --- Payload mesh 4: a sounding-rocket payload ----------------------------------------------
// A white body (ogive nose, cylinder, boat tail, nozzle) and four black fins with a black launch
// lug, modelled in units of 1/40 m and drawn at 1/40 scale.

constexpr double kUnitsPerMetre = 40.0;
constexpr int kRocketSegments = 49;

std::vector<MeshPart> Rocket() {
  const double u = kUnitsPerMetre;
  MeshPart body;
  body.material.ambient = {0.745, 0.745, 0.745};
  body.material.diffuse = {1.0, 1.0, 1.0};
  body.material.shininess = 2.0;
  MeshPart black;
  black.material.ambient = {0.012, 0.012, 0.012};
  black.material.diffuse = {0.098, 0.098, 0.098};
  black.material.shininess = 2.144;

  const double radius = 0.22, tip = 2.6, noseLength = 1.3;  // m
  std::vector<ProfilePoint> p;
  // A tangent ogive: an arc of radius rho through the tip, tangent to the cylinder.
  const double rho = (radius * radius + noseLength * noseLength) / (2 * radius);
  for (int i = 0; i <= 17; ++i) {
    const double x = noseLength * i / 17;  // behind the tip
    const double dx = noseLength - x;
    const double r = std::sqrt(rho * rho - dx * dx) + radius - rho;
    // The normal points away from the arc's centre, (0, radius - rho) from the nose's base.
    p.push_back({u * (tip - x), u * r, dx / rho, (r + rho - radius) / rho});
  }
  p[0].r = 0.0;
  for (int i = 1; i <= 12; ++i) {
    p.push_back({u * (tip - noseLength - 3.9 * i / 12), u * radius, 0, 1});
  }
  const double tailStart = tip - noseLength - 3.9, tailEnd = tailStart - 0.4;
  for (int i = 1; i <= 4; ++i) {
    p.push_back({u * (tailStart - 0.4 * i / 4), u * (radius - 0.05 * i / 4), -0.124, 0.992});
  }
  p.push_back({u * tailEnd, u * 0.09, -1, 0});  // the base, in to the nozzle
  for (int i = 1; i <= 5; ++i) {
    const double f = i / 5.0;
    p.push_back({u * (tailEnd - 0.35 * f), u * (0.09 + 0.06 * f * f), -0.3, 0.95});
  }
  Revolve(body, {}, p, kRocketSegments);

  // Fins: trapezoidal plates at 45°, 135°, ... with a span of eight strips.
  const double rootFront = -1.9, rootBack = -2.9, tipFront = -2.35, tipBack = -2.95;
  const double span = 0.45, half = 0.01;
  for (int f = 0; f < 4; ++f) {
    const double psi = (45.0 + 90.0 * f) * kRad;
    const Point3 out{0, std::cos(psi), std::sin(psi)}, side{0, -std::sin(psi), std::cos(psi)};
    const auto at = [&](double x, double s, double t) {
      return u * (Point3{x, 0, 0} + (radius + s) * out + t * side);
    };
    for (int sign : {1, -1}) {
      const Point3 normal = static_cast<double>(sign) * side;
      for (int k = 0; k < 8; ++k) {
        const double s0 = span * k / 8, s1 = span * (k + 1) / 8;
        const auto front = [&](double s) { return rootFront + (tipFront - rootFront) * s / span; };
        const auto back = [&](double s) { return rootBack + (tipBack - rootBack) * s / span; };
        const int a = black.AddPoint(at(front(s0), s0, sign * half), normal);
        const int b = black.AddPoint(at(back(s0), s0, sign * half), normal);
        const int c = black.AddPoint(at(back(s1), s1, sign * half), normal);
        const int d = black.AddPoint(at(front(s1), s1, sign * half), normal);
        sign > 0 ? black.AddQuad(a, d, c, b) : black.AddQuad(a, b, c, d);
      }
    }
    // Leading, tip and trailing edges.
    const double edges[3][4] = {{rootFront, 0, tipFront, span},
                                {tipFront, span, tipBack, span},
                                {tipBack, span, rootBack, 0}};
    for (const auto& e : edges) {
      const Point3 along = at(e[2], e[3], 0) - at(e[0], e[1], 0);
      const Point3 normal = Normalised(Cross(along, side));
      const int a = black.AddPoint(at(e[0], e[1], half), normal);
      const int b = black.AddPoint(at(e[0], e[1], -half), normal);
      const int c = black.AddPoint(at(e[2], e[3], -half), normal);
      const int d = black.AddPoint(at(e[2], e[3], half), normal);
      black.AddQuad(a, b, c, d);
    }
  }
  Frame lug;
  lug.origin = u * Point3{-0.6, 0, radius + 0.02};
  Box(black, lug, u * Point3{0.08, 0.015, 0.02});
  return {body, black};
}

}  // namespace

const std::vector<BundledModel>& BundledModels() {
  static const std::vector<BundledModel> models = {
      {"zel_top1.ogl", CapsuleTop1},
      {"zel_top2.ogl", CapsuleTop2},
      {"zel_body.ogl", CapsuleBody},
      {"zel_shield.ogl", CapsuleShield},
      {"earth.ogl", [] { return Planet("graphics/earth_gl.bmp"); }},
      {"mars.ogl", [] { return Planet("graphics/mars.bmp"); }},
      {"titan.ogl", [] { return Planet("graphics/titan_gl.bmp"); }},
      {"parachute.mesh", Parachute},
      {"payload1.mesh", Stage0},
      {"payload2.mesh", Stage1},
      {"payload3.mesh", Stage2},
      {"payload4.mesh", Rocket},
  };
  return models;
}

}  // namespace plumora::tools
