// The generator's list of jobs. Each picture or model file registers itself with a static
// ArtRegistration, so adding art never means editing main.cpp:
//
//   static ArtRegistration registration("TITLE", &GenerateTitle);
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// Where one run of the generator writes. Every folder exists before the first job runs.
struct ArtContext {
  std::string resources_dir;  // the game's resources/ folder (or a scratch copy of it)
  std::string preview_dir;    // PNG previews for people, never committed

  std::string BitmapPath(const std::string& name) const {
    return resources_dir + "/bitmaps/" + name + ".bmp";
  }
  std::string TexturePath(const std::string& name) const {
    return resources_dir + "/textures/" + name + ".bmp";
  }
  std::string ModelPath(const std::string& name) const {
    return resources_dir + "/models/" + name + ".gpd";
  }
  std::string IconPath() const { return resources_dir + "/icon/vorta.ico"; }
  std::string PreviewPath(const std::string& name) const {
    return preview_dir + "/" + name + ".png";
  }
};

struct ArtJob {
  const char* name;
  void (*generate)(const ArtContext&);
};

struct ArtRegistration {
  ArtRegistration(const char* name, void (*fn)(const ArtContext&));
};

// Every registered job, sorted by name so that runs are reproducible whatever order the
// linker put the static registrations in.
std::vector<ArtJob> RegisteredArtJobs();

// Previews that look at finished art (whole screens put together from several pictures) run
// after every job, reading the resources back; they write only into the preview folder.
struct ArtPreviewRegistration {
  ArtPreviewRegistration(const char* name, void (*fn)(const ArtContext&));
};
std::vector<ArtJob> RegisteredArtPreviews();

// A job that cannot produce its output throws this; artgen reports it and exits non-zero.
struct ArtError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws ArtError(what) unless ok.
void ArtCheck(bool ok, const std::string& what);
