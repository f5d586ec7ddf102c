// artgen <resources-dir> <preview-dir> [job ...]
//
// Draws every picture, font, texture, model and the icon of the game into <resources-dir>
// (bitmaps/, textures/, models/, icon/ and the resource script art.rc) and a PNG preview of
// each into <preview-dir>. Naming jobs runs only those, and then leaves art.rc and the contact
// sheet alone, since they describe a whole run. Screen previews that read finished art back
// run last, every time.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "tools/art/common/art_common.h"
#include "tools/art/common/outputs.h"

namespace {

void WriteContactSheet(const ArtContext& context) {
  std::vector<ContactItem> items;
  for (const std::string& file : ArtOutputFiles(context.resources_dir)) {
    if (file.size() < 4 || file.compare(file.size() - 4, 4, ".bmp") != 0) continue;
    ContactItem item;
    std::string error;
    if (!ReadBmp8(context.resources_dir + "/" + file, &item.bitmap, &error)) {
      std::fprintf(stderr, "artgen: contact sheet skips %s: %s\n", file.c_str(), error.c_str());
      continue;
    }
    item.label = file;
    items.push_back(std::move(item));
  }
  WriteContactSheetPng(context.PreviewPath("contact_sheet"), items, 1600);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: artgen <resources-dir> <preview-dir> [job ...]\n");
    return 2;
  }
  ArtContext context{argv[1], argv[2]};
  std::set<std::string> wanted(argv + 3, argv + argc);
  try {
    for (const char* folder : {"bitmaps", "textures", "models", "icon"})
      std::filesystem::create_directories(context.resources_dir + "/" + folder);
    std::filesystem::create_directories(context.preview_dir);

    std::set<std::string> known;
    for (const ArtJob& job : RegisteredArtJobs()) {
      known.insert(job.name);
      if (!wanted.empty() && !wanted.count(job.name)) continue;
      job.generate(context);
    }
    for (const std::string& name : wanted) {
      if (!known.count(name)) {
        std::fprintf(stderr, "artgen: no job named %s\n", name.c_str());
        return 2;
      }
    }
    for (const ArtJob& preview : RegisteredArtPreviews()) preview.generate(context);
    if (wanted.empty()) {
      const std::string script = ArtResourceScript(context.resources_dir);
      ArtCheck(WriteFileBytes(context.resources_dir + "/art.rc",
                              std::vector<uint8_t>(script.begin(), script.end())),
               "cannot write art.rc");
      WriteContactSheet(context);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "artgen: %s\n", error.what());
    return 1;
  }
  return 0;
}
