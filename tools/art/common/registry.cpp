#include "tools/art/common/registry.h"

#include <algorithm>
#include <cstring>

namespace {

// A function-local list: registrations run during static initialisation of other files,
// before any namespace-scope vector here could be relied on.
std::vector<ArtJob>& JobList() {
  static std::vector<ArtJob> jobs;
  return jobs;
}

std::vector<ArtJob>& PreviewList() {
  static std::vector<ArtJob> previews;
  return previews;
}

std::vector<ArtJob> Sorted(std::vector<ArtJob> jobs) {
  std::sort(jobs.begin(), jobs.end(), [](const ArtJob& a, const ArtJob& b) {
    return std::strcmp(a.name, b.name) < 0;
  });
  return jobs;
}

}  // namespace

ArtRegistration::ArtRegistration(const char* name, void (*fn)(const ArtContext&)) {
  JobList().push_back(ArtJob{name, fn});
}

std::vector<ArtJob> RegisteredArtJobs() { return Sorted(JobList()); }

ArtPreviewRegistration::ArtPreviewRegistration(const char* name, void (*fn)(const ArtContext&)) {
  PreviewList().push_back(ArtJob{name, fn});
}

std::vector<ArtJob> RegisteredArtPreviews() { return Sorted(PreviewList()); }

void ArtCheck(bool ok, const std::string& what) {
  if (!ok) throw ArtError(what);
}
