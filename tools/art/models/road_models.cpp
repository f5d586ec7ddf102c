// The road piece, the gantry and its sign board.
#include <cmath>

#include "tools/art/models/race_models.h"
#include "tools/art/models/texture_cells.h"

namespace art_models {

namespace {

// Road cross-section, right half (the left is its mirror image). metres
constexpr float kSurfaceY = -1.72f;     // the driving surface
constexpr float kHalfLength = 10.0f;    // a piece runs z -10..10; the race lays them 20 m apart
constexpr float kAsphaltEdge = 5.8f;    // two wide lanes between the kerbs
constexpr float kKerbEdge = 6.6f;
constexpr float kKerbOuterY = -1.66f;   // kerbs rise a little towards the grass
constexpr float kWallFootX = 7.9f;      // the grass climbs to the foot of the wall
constexpr float kWallFootY = -1.25f;
constexpr float kWallCapY = 1.30f;      // vertical face up to here, then a sloped coping
constexpr float kWallTopX = 8.3f;
constexpr float kWallTopY = 1.72f;      // hides the feet of the gantry posts (at y 0) behind it
constexpr int kKerbRepeats = 4;         // the stripe swatch spans 5 m of kerb
constexpr int kWallPanels = 4;          // one swatch per 5 m panel of wall

FaceStyle Style(uint32_t colour) {
  FaceStyle style;
  style.colour = colour;
  return style;
}

// A strip between two lines running along the road, from z0 to z1, with the cell's u across
// the strip (from the `inner` line to the `outer` line) and v along it, far end at the top.
void AddLengthwiseStrip(Mesh& mesh, Vec3 inner, Vec3 outer, float z0, float z1,
                        const UvCell& cell, Vec3 viewer_side, uint32_t colour) {
  const Vec3 p[4] = {V3(inner.x, inner.y, z1), V3(outer.x, outer.y, z1),
                     V3(outer.x, outer.y, z0), V3(inner.x, inner.y, z0)};
  const Uv uv[4] = {cell.At(0, 0), cell.At(1, 0), cell.At(1, 1), cell.At(0, 1)};
  AddQuad(mesh, p, uv, viewer_side, Style(colour));
}

void AddRoadside(Mesh& mesh, float side) {
  // `side` is +1 for the right and -1 for the left; the faces look inwards and up.
  const Vec3 inwards = V3(-side, 0, 0);
  const Vec3 up = V3(0, 1, 0);

  const float kerb_step = 2 * kHalfLength / kKerbRepeats;
  for (int k = 0; k < kKerbRepeats; ++k) {
    const float z0 = -kHalfLength + kerb_step * k;
    AddLengthwiseStrip(mesh, V3(side * kAsphaltEdge, kSurfaceY, 0),
                       V3(side * kKerbEdge, kKerbOuterY, 0), z0, z0 + kerb_step, KerbCell(), up,
                       kColourFace);
  }
  AddLengthwiseStrip(mesh, V3(side * kKerbEdge, kKerbOuterY, 0),
                     V3(side * kWallFootX, kWallFootY, 0), -kHalfLength, kHalfLength,
                     GrassCell(), up + inwards, kColourFace);

  // The wall's face: v runs down the wall, u along the road away from the driver.
  const UvCell wall = WallCell();
  const float panel = 2 * kHalfLength / kWallPanels;
  for (int k = 0; k < kWallPanels; ++k) {
    const float z0 = -kHalfLength + panel * k, z1 = z0 + panel;
    const float x = side * kWallFootX;
    const Vec3 p[4] = {V3(x, kWallCapY, z0), V3(x, kWallCapY, z1), V3(x, kWallFootY, z1),
                       V3(x, kWallFootY, z0)};
    const Uv uv[4] = {wall.At(0, 0), wall.At(1, 0), wall.At(1, 1), wall.At(0, 1)};
    AddQuad(mesh, p, uv, inwards, Style(kColourStructure));
  }
  // The coping leans back from the face to the top of the wall; it takes the top fifth of
  // the wall swatch so it reads as a separate course of stone.
  const UvCell coping{wall.u0, wall.v0, wall.u1, wall.v0 + (wall.v1 - wall.v0) * 0.2f};
  AddLengthwiseStrip(mesh, V3(side * kWallFootX, kWallCapY, 0), V3(side * kWallTopX, kWallTopY, 0),
                     -kHalfLength, kHalfLength, coping, inwards + up * 0.5f, kColourStructure);
}

}  // namespace

Mesh BuildCourse() {
  Mesh mesh;
  mesh.name = "course";
  // The asphalt band of the road texture covers the whole driving surface once: across the
  // road left to right, and along it with the band's bottom row at the near end (z -10), which
  // is where the line texture paints the start and finish line.
  const UvCell band = RoadBandCell();
  const Vec3 p[4] = {V3(-kAsphaltEdge, kSurfaceY, kHalfLength), V3(kAsphaltEdge, kSurfaceY, kHalfLength),
                     V3(kAsphaltEdge, kSurfaceY, -kHalfLength), V3(-kAsphaltEdge, kSurfaceY, -kHalfLength)};
  const Uv uv[4] = {band.At(0, 0), band.At(1, 0), band.At(1, 1), band.At(0, 1)};
  AddQuad(mesh, p, uv, V3(0, 1, 0), Style(kColourFace));
  AddRoadside(mesh, 1.0f);
  AddRoadside(mesh, -1.0f);
  return mesh;
}

namespace {

// Gantry truss, in the plane z -0.15 (front, facing the driver) .. 0 (back). metres
constexpr float kTrussFront = -0.15f, kTrussBack = 0.0f;
constexpr float kPostInner = 8.85f, kPostOuter = 9.55f;  // outside the walls
constexpr float kPostFoot = 0.0f;
constexpr float kTopChordLow = 6.15f, kTopChordHigh = 6.55f;
// The bottom chord runs a little below the board, so the panels under the name plate show
// against the sky rather than merge into the steel.
constexpr float kBottomChordLow = 3.2f, kBottomChordHigh = 3.6f;
constexpr float kBoardHalfWidth = 1.5f;     // the board fills the truss between the verticals
constexpr float kVerticalWidth = 0.22f;
constexpr float kDiagonalWidth = 0.26f;     // measured across x
constexpr int kBaysPerSide = 3;

// One member of the truss: its front face and the sides the driver can see, from an outline
// in the x-y plane given clockwise as seen from the front.
void AddMember(Mesh& mesh, const Vec3 (&outline)[4], const UvCell& cell) {
  FaceStyle style;
  style.colour = kColourStructure;
  Vec3 front[4];
  for (int k = 0; k < 4; ++k) front[k] = V3(outline[k].x, outline[k].y, kTrussFront);
  const Uv uv[4] = {cell.At(0, 1), cell.At(0, 0), cell.At(1, 0), cell.At(1, 1)};
  AddQuad(mesh, front, uv, V3(0, 0, -1), style);

  // Sides: every edge whose outward normal points towards the road's centre line or down
  // could be seen by a driver passing underneath; the others never can.
  Vec3 centre;
  for (const Vec3& q : outline) centre = centre + q * 0.25f;
  for (int k = 0; k < 4; ++k) {
    const Vec3 a = outline[k], b = outline[(k + 1) % 4];
    Vec3 outward = Normalized(V3(b.y - a.y, a.x - b.x, 0));
    if (Dot(outward, (a + b) * 0.5f - centre) < 0) outward = outward * -1.0f;
    const bool towards_centre = outward.x * centre.x < -0.1f * std::abs(centre.x);
    const bool downwards = outward.y < -0.1f;
    if (!towards_centre && !downwards) continue;
    const Vec3 side[4] = {V3(a.x, a.y, kTrussFront), V3(b.x, b.y, kTrussFront),
                          V3(b.x, b.y, kTrussBack), V3(a.x, a.y, kTrussBack)};
    AddQuad(mesh, side, uv, outward, style);
  }
}

void AddBox(Mesh& mesh, float x0, float y0, float x1, float y1, const UvCell& cell) {
  const Vec3 outline[4] = {V3(x0, y0, 0), V3(x0, y1, 0), V3(x1, y1, 0), V3(x1, y0, 0)};
  AddMember(mesh, outline, cell);
}

}  // namespace

Mesh BuildGantry() {
  Mesh mesh;
  mesh.name = "pool";
  const UvCell dark = DarkSquareCell();
  for (float side : {-1.0f, 1.0f}) {
    // Posts, standing behind the walls from the height the walls hide.
    AddBox(mesh, side * kPostOuter, kPostFoot, side * kPostInner, kTopChordLow, dark);
    // Verticals framing the board.
    AddBox(mesh, side * kBoardHalfWidth, kBottomChordHigh, side * (kBoardHalfWidth + kVerticalWidth),
           kTopChordLow, dark);
    // Diagonals zig-zag from the verticals out to the posts (a Warren truss).
    const float start = kBoardHalfWidth + kVerticalWidth;
    const float bay = (kPostInner - start) / kBaysPerSide;
    for (int k = 0; k < kBaysPerSide; ++k) {
      const float near_x = start + bay * k, far_x = near_x + bay;
      const bool rising = k % 2 == 0;
      const float near_y = rising ? kBottomChordHigh : kTopChordLow;
      const float far_y = rising ? kTopChordLow : kBottomChordHigh;
      Vec3 outline[4] = {V3(side * near_x, near_y, 0), V3(side * (near_x + kDiagonalWidth), near_y, 0),
                         V3(side * far_x, far_y, 0), V3(side * (far_x - kDiagonalWidth), far_y, 0)};
      AddMember(mesh, outline, dark);
    }
  }
  AddBox(mesh, -kPostOuter, kTopChordLow, kPostOuter, kTopChordHigh, dark);
  AddBox(mesh, -kPostInner, kBottomChordLow, kPostInner, kBottomChordHigh, dark);
  return mesh;
}

Mesh BuildBoard() {
  Mesh mesh;
  mesh.name = "board";
  // The name plate is 3:1 in the texture; the race camera widens everything 1.75 times, so a
  // plate 1.75 m high on the 3 m board shows the title undistorted. The board hangs from the
  // top chord: its upper 0.1 m sits behind the chord, out of the driver's sight.
  constexpr float kPlateLow = 4.5f, kPlateHigh = 6.25f;
  constexpr float kPanelLow = 3.95f;
  constexpr float kPanelWidth = 0.62f, kPanelGap = 0.1f;
  FaceStyle style;
  style.colour = kColourFace;
  AddAxisRect(mesh, V3(0, 0, -1), 0.0f, V3(-kBoardHalfWidth, kPlateLow, 0),
              V3(kBoardHalfWidth, kPlateHigh, 0), NamePlateCell(), style);
  // Four small timing panels hang under the plate.
  const float first = -(4 * kPanelWidth + 3 * kPanelGap) / 2;
  for (int k = 0; k < 4; ++k) {
    const float x0 = first + k * (kPanelWidth + kPanelGap);
    AddAxisRect(mesh, V3(0, 0, -1), 0.0f, V3(x0, kPanelLow, 0), V3(x0 + kPanelWidth, kPlateLow, 0),
                DarkSquareCell(), style);
  }
  return mesh;
}

}  // namespace art_models
