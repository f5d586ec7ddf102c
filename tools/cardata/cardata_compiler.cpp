// cardata_compiler <input> <output.bin>: compiles the readable car table into the CARDATA
// resource. Any problem in the table is reported with its line and stops the build.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tools/cardata/cardata_source.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: cardata_compiler <input> <output.bin>\n");
    return 2;
  }
  const std::string input = argv[1];
  const std::string output = argv[2];

  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cardata_compiler: cannot open %s\n", input.c_str());
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();

  std::vector<CarSpec> cars;
  std::vector<std::string> errors;
  if (!ParseCarSource(text.str(), input, cars, errors)) {
    for (const std::string& error : errors) std::fprintf(stderr, "%s\n", error.c_str());
    std::fprintf(stderr, "cardata_compiler: %zu error(s); %s not written\n", errors.size(),
                 output.c_str());
    return 1;
  }

  const std::vector<uint8_t> bytes = SerializeCarData(cars);
  // Written under a temporary name first so that a failed write never leaves a truncated
  // resource that a later build would pick up as up to date.
  const std::string temporary = output + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "cardata_compiler: cannot write %s\n", temporary.c_str());
      std::remove(temporary.c_str());
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), output.c_str()) != 0) {
    std::fprintf(stderr, "cardata_compiler: cannot rename %s to %s\n", temporary.c_str(),
                 output.c_str());
    std::remove(temporary.c_str());
    return 1;
  }
  return 0;
}
