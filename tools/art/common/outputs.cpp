#include "tools/art/common/outputs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

std::vector<std::string> FilesIn(const std::string& dir, const std::string& extension) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
    if (entry.is_regular_file() && entry.path().extension() == extension)
      names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::string ArtResourceScript(const std::string& resources_dir) {
  std::string script = "// Pictures, textures and models; written by the art generator (tools/art).\n";
  struct Kind { const char* folder; const char* extension; const char* type; };
  const Kind kinds[] = {{"bitmaps", ".bmp", "BITMAP"}, {"textures", ".bmp", "BITMAP"}, {"models", ".gpd", "GPD"}};
  for (const Kind& kind : kinds) {
    for (const std::string& file : FilesIn(resources_dir + "/" + kind.folder, kind.extension)) {
      std::string name = file.substr(0, file.size() - std::string(kind.extension).size());
      // The script's keywords are capitals (FONT is one) and windres stores every name in
      // capitals, as Windows looks them up; so names are written in lower case, unquoted
      // (quoted ones would run together with the file name of the line before).
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      script += name + " " + kind.type + " \"" + kind.folder + "/" + file + "\"\n";
    }
  }
  return script;
}

std::vector<std::string> ArtOutputFiles(const std::string& resources_dir) {
  std::vector<std::string> files;
  const std::pair<const char*, const char*> kinds[] = {
      {"bitmaps", ".bmp"}, {"textures", ".bmp"}, {"models", ".gpd"}, {"icon", ".ico"}};
  for (const auto& kind : kinds)
    for (const std::string& file : FilesIn(resources_dir + "/" + kind.first, kind.second))
      files.push_back(std::string(kind.first) + "/" + file);
  if (std::filesystem::exists(resources_dir + "/art.rc")) files.push_back("art.rc");
  std::sort(files.begin(), files.end());
  return files;
}
