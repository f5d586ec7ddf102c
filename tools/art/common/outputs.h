// What one full run of the generator leaves behind besides the jobs' own files.
#pragma once

#include <string>
#include <vector>

// The resource script lines for every bitmap, texture and model found under resources_dir,
// sorted, e.g. `TITLE BITMAP "bitmaps/TITLE.bmp"`.
std::string ArtResourceScript(const std::string& resources_dir);

// The art files of a resources folder relative to it, sorted: bitmaps/*.bmp, textures/*.bmp,
// models/*.gpd, icon/*.ico and art.rc.
std::vector<std::string> ArtOutputFiles(const std::string& resources_dir);
