// The race meshes seen from the driver's seat. The scene is laid out the way the race draws
// it, with the game's own matrix operations, and looked at by casting a ray through a pixel:
// the nearest surface a ray meets is what that pixel shows, and it must face the camera, since
// the device culls counter-clockwise triangles and a wrongly wound face becomes a hole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "gfx3d/geometry.h"
#include "model_test_support.h"

namespace {

constexpr double kNear = 0.05, kFar = 250;  // the race's projection planes, metres
constexpr int kWidth = 640, kHeight = 480;

// The lamp model each of the five lamps shows, per signal row.
constexpr int kSignalLamps[6][5] = {{0, 0, 0, 2, 4}, {1, 0, 0, 2, 4}, {1, 1, 0, 2, 4},
                                    {1, 1, 1, 2, 4}, {1, 1, 1, 3, 4}, {0, 0, 0, 2, 5}};

struct D {
  double x, y, z;
};
D operator-(D a, D b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
D operator+(D a, D b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
D operator*(D a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double Dot(D a, D b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
D Cross(D a, D b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

D TransformPoint(D p, const D3DMATRIX& m) {
  return {p.x * m._11 + p.y * m._21 + p.z * m._31 + m._41,
          p.x * m._12 + p.y * m._22 + p.z * m._32 + m._42,
          p.x * m._13 + p.y * m._23 + p.z * m._33 + m._43};
}

struct Triangle {
  const char* model;
  D a, b, c;           // world
  float uv[3][2];
};

struct Hit {
  const char* model = nullptr;  // null: the ray met nothing
  bool front_facing = false;
  double depth = 0;
  float u = 0, v = 0;
};

const GpdModel& Model(const std::string& name) {
  static std::map<std::string, GpdModel> models;
  auto found = models.find(name);
  if (found == models.end()) {
    found = models.emplace(name, GpdModel{}).first;
    EXPECT_TRUE(model_test::LoadModel(name, found->second)) << name;
  }
  return found->second;
}

class RaceView {
 public:
  // The race at `distance` metres from the line, the signal at `signal_height` showing
  // `signal_row`, on a course of `course_length` metres.
  RaceView(float distance, int signal_row, float signal_height) {
    eye_ = MakeVector(0, -0.5f, distance);
    EXPECT_EQ(SetViewMatrix(view_, eye_, MakeVector(0, -0.5f, distance + 10), MakeVector(0, 1, 0)), 0);
    EXPECT_EQ(SetProjectionMatrix(projection_, 2.65f, 1.75f, 0.05f, 250.0f), 0);

    const int first = int(distance * 0.05f);
    for (int i = first + 10; i >= first; --i) {
      D3DMATRIX world;
      if (i * 20 % 100 == 0) {
        SetTranslationMatrix(world, 0, 0, i * 20.0f);
        Add("board", world);
        Add("pool", world);
      }
      SetTranslationMatrix(world, 0, 0, i * 20.0f + 10);
      Add("course", world);
    }
    if (distance < 1.0f) {
      D3DMATRIX tilt, translation, world;
      SetRotateXMatrix(tilt, -1.0f);
      for (int k = 0; k < 5; ++k) {
        SetTranslationMatrix(translation, k * 0.2f - 0.4f, signal_height, 0.6f);
        MultiplyMatrix(world, translation, tilt);
        Add("sig_box", world);
        Add("sig" + std::to_string(kSignalLamps[signal_row][k]), world);
        lamp_worlds_[k] = world;
      }
      SetTranslationMatrix(world, 0, signal_height, 0.6f);
      Add("sigpool", world);
    }
  }

  // What the pixel whose centre is at (px, py) shows.
  Hit Cast(double px, double py) const {
    const double x = ((px) / (kWidth / 2.0) - 1) / projection_._11;
    const double y = (double(kHeight) / kWidth - py / (kWidth / 2.0)) / projection_._22;
    const D right{view_._11, view_._21, view_._31}, up{view_._12, view_._22, view_._32},
        ahead{view_._13, view_._23, view_._33};
    const D dir = right * x + up * y + ahead;  // one unit of depth per unit of the ray
    const D origin{eye_.x, eye_.y, eye_.z};
    Hit best;
    for (const Instance& instance : instances_) {
      if (!RayMeetsBox(origin, dir, instance.lo, instance.hi)) continue;
      for (size_t i = instance.first; i < instance.end; ++i) {
      const Triangle& t = triangles_[i];
      const D e1 = t.b - t.a, e2 = t.c - t.a;
      const D p = Cross(dir, e2);
      const double det = Dot(e1, p);
      if (std::fabs(det) < 1e-14) continue;
      const D s = origin - t.a;
      const double bu = Dot(s, p) / det;
      if (bu < 0 || bu > 1) continue;
      const D q = Cross(s, e1);
      const double bv = Dot(dir, q) / det;
      if (bv < 0 || bu + bv > 1) continue;
      const double depth = Dot(e2, q) / det;
      if (depth < kNear || depth > kFar || (best.model && depth >= best.depth)) continue;
      best.model = t.model;
      best.depth = depth;
      best.front_facing = Dot(Cross(e1, e2), dir) < 0;
      const double bw = 1 - bu - bv;
      best.u = float(bw * t.uv[0][0] + bu * t.uv[1][0] + bv * t.uv[2][0]);
      best.v = float(bw * t.uv[0][1] + bu * t.uv[1][1] + bv * t.uv[2][1]);
      }
    }
    return best;
  }

  // Where a world point lands on the screen, in pixels.
  void Project(D world, double& px, double& py) const {
    const D v = TransformPoint(world, view_);
    px = (v.x * projection_._11 / v.z + 1) * (kWidth / 2.0);
    py = (double(kHeight) / kWidth - v.y * projection_._22 / v.z) * (kWidth / 2.0);
  }

  // The front of lamp k's lens, in the world.
  D LampCrown(int k) const { return TransformPoint(D{0, 0, -0.1}, lamp_worlds_[k]); }

 private:
  // Every placed model, with the world box around it to spare rays that pass it by.
  struct Instance {
    size_t first, end;
    D lo, hi;
  };

  static bool RayMeetsBox(D origin, D dir, D lo, D hi) {
    double t0 = kNear, t1 = kFar;
    const double o[3] = {origin.x, origin.y, origin.z}, d[3] = {dir.x, dir.y, dir.z};
    const double l[3] = {lo.x, lo.y, lo.z}, h[3] = {hi.x, hi.y, hi.z};
    for (int axis = 0; axis < 3; ++axis) {
      if (std::fabs(d[axis]) < 1e-12) {
        if (o[axis] < l[axis] || o[axis] > h[axis]) return false;
        continue;
      }
      double near_t = (l[axis] - o[axis]) / d[axis], far_t = (h[axis] - o[axis]) / d[axis];
      if (near_t > far_t) std::swap(near_t, far_t);
      t0 = std::max(t0, near_t);
      t1 = std::min(t1, far_t);
    }
    return t0 <= t1 + 1e-9;
  }

  void Add(const std::string& name, const D3DMATRIX& world) {
    const GpdModel& model = Model(name);
    const char* label = Label(name);
    Instance instance{triangles_.size(), 0, {1e30, 1e30, 1e30}, {-1e30, -1e30, -1e30}};
    for (size_t i = 0; i + 2 < model.index_count; i += 3) {
      Triangle t{label, {}, {}, {}, {}};
      D* corners[3] = {&t.a, &t.b, &t.c};
      for (int k = 0; k < 3; ++k) {
        const GpdVertex& v = model.vertices[model.indices[i + k]];
        *corners[k] = TransformPoint(D{v.x, v.y, v.z}, world);
        t.uv[k][0] = v.u;
        t.uv[k][1] = v.v;
        const D& p = *corners[k];
        instance.lo = {std::min(instance.lo.x, p.x), std::min(instance.lo.y, p.y), std::min(instance.lo.z, p.z)};
        instance.hi = {std::max(instance.hi.x, p.x), std::max(instance.hi.y, p.y), std::max(instance.hi.z, p.z)};
      }
      triangles_.push_back(t);
    }
    instance.end = triangles_.size();
    // A little slack, so a ray along a face of the box is not lost to rounding.
    instance.lo = instance.lo - D{1e-6, 1e-6, 1e-6};
    instance.hi = instance.hi + D{1e-6, 1e-6, 1e-6};
    instances_.push_back(instance);
  }
  static const char* Label(const std::string& name) {
    static std::map<std::string, std::string> labels;
    return labels.emplace(name, name).first->second.c_str();
  }

  D3DVECTOR eye_;
  D3DMATRIX view_, projection_;
  D3DMATRIX lamp_worlds_[5] = {};
  std::vector<Triangle> triangles_;
  std::vector<Instance> instances_;
};

std::string Name(const Hit& hit) { return hit.model ? hit.model : "nothing"; }

TEST(RaceView, NoSurfaceIsSeenFromBehindAnywhereAlongTheRun) {
  struct Moment {
    const char* what;
    float distance;
    int row;
    float signal_height;
  };
  const Moment moments[] = {{"opening move", 0, 0, 1.5f}, {"start line", 0, 0, 1.0f},
                            {"go", 0, 4, 1.0f},           {"false start", 0, 5, 1.0f},
                            {"10 m before a gantry", 90, 0, 1.0f},
                            {"under a gantry", 199.9f, 0, 1.0f}};
  for (const Moment& moment : moments) {
    SCOPED_TRACE(moment.what);
    const RaceView view(moment.distance, moment.row, moment.signal_height);
    int shown = 0;
    for (int py = 2; py < kHeight; py += 6) {
      for (int px = 3; px < kWidth; px += 6) {
        const Hit hit = view.Cast(px + 0.5, py + 0.5);
        if (!hit.model) continue;
        ++shown;
        ASSERT_TRUE(hit.front_facing) << Name(hit) << " seen from behind at pixel " << px << ", " << py;
      }
    }
    EXPECT_GT(shown, 0);
  }
}

TEST(RaceView, RoadFillsTheLowerPictureUpToTheHorizon) {
  const RaceView view(0, 0, 1.0f);
  for (int py = 246; py < kHeight; py += 9) {
    for (int px = 0; px < kWidth; px += 16) {
      const Hit hit = view.Cast(px + 0.5, py + 0.5);
      ASSERT_STREQ(Name(hit).c_str(), "course") << "pixel " << px << ", " << py;
    }
  }
  // Straight ahead near the horizon the asphalt still shows, far down the course.
  const Hit far = view.Cast(320.5, 240.5);
  EXPECT_STREQ(Name(far).c_str(), "course");
  EXPECT_GT(far.depth, 150);
  EXPECT_TRUE(model_test::kRoadBand.Holds(far.u, far.v));
}

TEST(RaceView, WallsFrameTheRoadOnBothSides) {
  const RaceView view(0, 0, 1.0f);
  for (int px : {8, 631}) {
    SCOPED_TRACE(px);
    // Just above eye level at the screen's edge: a wall, lit from its own side, in its swatch.
    const Hit hit = view.Cast(px + 0.5, 225.5);
    EXPECT_STREQ(Name(hit).c_str(), "course");
    EXPECT_TRUE(model_test::kWall.Holds(hit.u, hit.v)) << hit.u << ", " << hit.v;
  }
}

TEST(RaceView, EveryLampOfEverySignalRowShowsItsModelAndLooksRound) {
  for (int row = 0; row < 6; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    const RaceView view(0, row, 1.0f);
    double previous_x = -1;
    for (int k = 0; k < 5; ++k) {
      SCOPED_TRACE("lamp " + std::to_string(k));
      double cx, cy;
      view.Project(view.LampCrown(k), cx, cy);
      // Side by side left to right across the middle, in the top of the picture.
      EXPECT_GT(cx, previous_x + 20);
      EXPECT_GT(cx, 160);
      EXPECT_LT(cx, 480);
      EXPECT_GT(cy, 8);
      EXPECT_LT(cy, 120);
      previous_x = cx;

      const std::string lamp = "sig" + std::to_string(kSignalLamps[row][k]);
      const Hit hit = view.Cast(cx, cy);
      ASSERT_EQ(Name(hit), lamp);
      EXPECT_TRUE(hit.front_facing);

      // The lens's extent through its centre, in pixels, across and down.
      auto extent = [&](double dx, double dy) {
        int steps = 0;
        while (steps < 200 && Name(view.Cast(cx + dx * (steps + 1), cy + dy * (steps + 1))) == lamp) ++steps;
        return steps;
      };
      const int across = extent(1, 0) + extent(-1, 0) + 1;
      const int down = extent(0, 1) + extent(0, -1) + 1;
      EXPECT_GE(across, 16) << "big enough to read at a glance";
      EXPECT_GE(down, 16);
      EXPECT_LT(std::abs(across - down), std::max(across, down) / 4)
          << "lens shows " << across << " x " << down << " pixels";
    }
  }
}

TEST(RaceView, SignalStaysOutOfSightUntilItComesDown) {
  // At the start of the opening move the signal hangs 2 m up, above the picture.
  const RaceView view(0, 0, 2.0f);
  for (int py = 0; py < 200; py += 3) {
    for (int px = 100; px < 540; px += 5) {
      const std::string name = Name(view.Cast(px + 0.5, py + 0.5));
      ASSERT_TRUE(name == "nothing" || name == "course") << name << " at " << px << ", " << py;
    }
  }
}

TEST(RaceView, GantryAndItsNamePlateStandOverTheRoadAhead) {
  const RaceView view(90, 0, 1.0f);  // the gantry at 100 m is 10 m ahead
  double px, py;
  view.Project(D{0, 5.3, 100}, px, py);
  const Hit plate = view.Cast(px, py);
  EXPECT_EQ(Name(plate), "board");
  EXPECT_TRUE(model_test::kNamePlate.Holds(plate.u, plate.v)) << plate.u << ", " << plate.v;
  // The plate spans most of the board, above the road's centre.
  EXPECT_NEAR(px, 320, 1);
  EXPECT_LT(py, 240);

  for (const D& point : {D{5.0, 6.35, 99.9}, D{-5.0, 6.35, 99.9}, D{9.2, 3.0, 99.9}, D{-9.2, 3.0, 99.9}}) {
    view.Project(point, px, py);
    const Hit hit = view.Cast(px, py);
    EXPECT_EQ(Name(hit), "pool") << "top chord and posts at " << point.x << ", " << point.y;
    EXPECT_TRUE(model_test::kDarkSquare.Holds(hit.u, hit.v));
  }
  // The posts' feet stand hidden behind the walls.
  for (const D& foot : {D{9.2, 0.1, 99.9}, D{-9.2, 0.1, 99.9}}) {
    view.Project(foot, px, py);
    EXPECT_EQ(Name(view.Cast(px, py)), "course");
  }
}

}  // namespace
