#include "tools/cardata/cardata_source.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>

#include "data/torque_curve.h"

#if defined(__BYTE_ORDER__)
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "records are written to the little-endian resource byte for byte");
#endif

namespace {

constexpr int kGearColumns = 3;  // the fourth column of every gate row is unused and zero

struct FloatField {
  const char* name;
  float CarSpec::*member;
  double min;  // the value must be at least this ...
  double max;  // ... and at most this
};

// Physical bounds wide enough for any car, narrow enough to catch a slipped decimal point.
const FloatField kFloatFields[] = {
    {"mass", &CarSpec::mass, 100.0, 5000.0},                 // kg
    {"frontal_area", &CarSpec::frontal_area, 0.5, 10.0},     // m²
    {"downforce_coef", &CarSpec::downforce_coef, 0.0, 5.0},
    {"drag_coef", &CarSpec::drag_coef, 0.05, 2.0},
    {"rolling_coef", &CarSpec::rolling_coef, 0.0, 0.1},
    {"tyre_radius", &CarSpec::tyre_radius, 0.1, 1.0},        // m
    {"final_drive", &CarSpec::final_drive, 0.5, 10.0},
    {"engine_drag", &CarSpec::engine_drag, 0.0, 20.0},
    {"grip", &CarSpec::grip, 0.1, 3.0},
    {"cg_height", &CarSpec::cg_height, 0.05, 2.0},           // m
    {"wheelbase", &CarSpec::wheelbase, 1.0, 6.0},            // m
    {"rear_weight", &CarSpec::rear_weight, 0.0, 1.0},        // fraction
};

struct IntField {
  const char* name;
  int32_t CarSpec::*member;
  int32_t min;
  int32_t max;
};

const IntField kIntFields[] = {
    {"id", &CarSpec::id, 0, 1 << 30},  // checked against the count once it is known
    {"drive_layout", &CarSpec::drive_layout, 0, 3},
    {"idle_rpm", &CarSpec::idle_rpm, 0, 9999},   // rpm; below the lowest rev limit
    {"tacho_type", &CarSpec::tacho_type, 0, 2},
    {"selectable", &CarSpec::selectable, 0, 1},
};

const char* const kSpecialFields[] = {"name", "gate_upper", "gate_lower", "torque"};

struct Line {
  int number = 0;
  std::vector<std::string> words;  // outside the quotes
  bool has_quote = false;
  std::string quoted;              // between the first and the last double quote
};

// Splits a line into words; a double-quoted text keeps its spaces, '#' outside the quotes
// starts a comment.
bool SplitLine(const std::string& text, Line& line, std::string& reason) {
  std::string outside;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '#') break;
    if (c == '"') {
      const size_t close = text.rfind('"');
      if (close == i) {
        reason = "unmatched double quote";
        return false;
      }
      line.has_quote = true;
      line.quoted = text.substr(i + 1, close - i - 1);
      outside += " \x01 ";  // marks where the quoted text stood
      i = close + 1;
      continue;
    }
    outside += c;
    ++i;
  }
  std::istringstream words(outside);
  std::string word;
  while (words >> word) line.words.push_back(word);
  return true;
}

bool ParseDouble(const std::string& word, double& value) {
  if (word.empty()) return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtod(word.c_str(), &end);
  return errno == 0 && end == word.c_str() + word.size() && std::isfinite(value);
}

bool ParseInt(const std::string& word, long& value) {
  if (word.empty()) return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtol(word.c_str(), &end, 10);
  return errno == 0 && end == word.c_str() + word.size();
}

// A gate cell is a forward ratio, a neutral slot (0) or a blocked slot (exactly -1).
bool IsGateCell(double value) { return value > 0.0 || value == 0.0 || value == -1.0; }

class SourceParser {
 public:
  SourceParser(const std::string& source_name, std::vector<std::string>& errors)
      : source_name_(source_name), errors_(errors) {}

  void Error(int line, const std::string& what) {
    std::ostringstream message;
    message << source_name_ << ":" << line << ": " << what;
    errors_.push_back(message.str());
  }

  void ParseLine(const std::string& text, int number) {
    Line line;
    line.number = number;
    std::string reason;
    if (!SplitLine(text, line, reason)) return Error(number, reason);
    if (line.words.empty()) return;
    const std::string& key = line.words[0];

    if (key == "cars") return ParseCount(line);
    if (key == "car") {
      if (in_car_) return Error(number, "'car' inside a car block (missing 'end')");
      if (declared_count_ < 0) Error(number, "'cars <count>' must come before the first car");
      if (line.words.size() != 1) Error(number, "'car' takes no value");
      in_car_ = true;
      car_line_ = number;
      car_ = CarSpec{};
      seen_.clear();
      return;
    }
    if (key == "end") {
      if (!in_car_) return Error(number, "'end' without 'car'");
      if (line.words.size() != 1) Error(number, "'end' takes no value");
      FinishCar(number);
      return;
    }
    if (!in_car_) return Error(number, "field '" + key + "' outside a car block");
    ParseField(line);
  }

  void Finish(int last_line) {
    if (in_car_) Error(car_line_, "car block not closed with 'end'");
    if (declared_count_ < 0) return Error(last_line, "no 'cars <count>' line");
    if (static_cast<long>(cars_.size()) != declared_count_) {
      std::ostringstream what;
      what << "'cars " << declared_count_ << "' but " << cars_.size() << " car blocks";
      Error(count_line_, what.str());
    }
    std::set<int32_t> ids;
    for (size_t i = 0; i < cars_.size(); ++i) {
      const int32_t id = cars_[i].id;
      if (id >= static_cast<int32_t>(cars_.size())) {
        std::ostringstream what;
        what << "id " << id << " is not below the number of cars (" << cars_.size() << ")";
        Error(car_lines_[i], what.str());
      }
      if (!ids.insert(id).second) {
        std::ostringstream what;
        what << "id " << id << " is used twice";
        Error(car_lines_[i], what.str());
      }
    }
  }

  std::vector<CarSpec> cars_;

 private:
  void ParseCount(const Line& line) {
    long count = 0;
    if (declared_count_ >= 0) return Error(line.number, "'cars' given twice");
    if (in_car_) return Error(line.number, "'cars' inside a car block");
    if (line.words.size() != 2 || !ParseInt(line.words[1], count) || count < 0 ||
        count > 4096) {
      return Error(line.number, "'cars' needs a count from 0 to 4096");
    }
    declared_count_ = count;
    count_line_ = line.number;
  }

  bool MarkSeen(const Line& line, const std::string& key) {
    if (!seen_.insert(key).second) {
      Error(line.number, "field '" + key + "' given twice");
      return false;
    }
    return true;
  }

  void ParseField(const Line& line) {
    const std::string& key = line.words[0];
    const size_t values = line.words.size() - 1;
    if (key != "name" && line.has_quote) return Error(line.number, "only 'name' takes quotes");

    for (const FloatField& field : kFloatFields) {
      if (key != field.name) continue;
      if (!MarkSeen(line, key)) return;
      double value = 0.0;
      if (values != 1 || !ParseDouble(line.words[1], value)) {
        return Error(line.number, key + " needs one number");
      }
      if (value < field.min || value > field.max) {
        std::ostringstream what;
        what << key << " " << value << " is outside " << field.min << ".." << field.max;
        return Error(line.number, what.str());
      }
      car_.*field.member = static_cast<float>(value);
      return;
    }
    for (const IntField& field : kIntFields) {
      if (key != field.name) continue;
      if (!MarkSeen(line, key)) return;
      long value = 0;
      if (values != 1 || !ParseInt(line.words[1], value)) {
        return Error(line.number, key + " needs one whole number");
      }
      if (value < field.min || value > field.max) {
        std::ostringstream what;
        what << key << " " << value << " is outside " << field.min << ".." << field.max;
        return Error(line.number, what.str());
      }
      car_.*field.member = static_cast<int32_t>(value);
      return;
    }
    if (key == "name") return ParseName(line);
    if (key == "gate_upper") return ParseGateRow(line, 0);
    if (key == "gate_lower") return ParseGateRow(line, 2);
    if (key == "torque") return ParseTorque(line);
    Error(line.number, "unknown field '" + key + "'");
  }

  void ParseName(const Line& line) {
    if (!MarkSeen(line, "name")) return;
    if (!line.has_quote || line.words.size() != 2) {
      return Error(line.number, "name needs one double-quoted text");
    }
    std::string bytes, reason;
    if (!ConvertCarName(line.quoted, bytes, reason)) return Error(line.number, "name " + reason);
    std::memcpy(car_.name, bytes.data(), bytes.size());
  }

  void ParseGateRow(const Line& line, int row) {
    const std::string& key = line.words[0];
    if (!MarkSeen(line, key)) return;
    if (line.words.size() != 1 + kGearColumns) {
      return Error(line.number, key + " needs three ratios, left to right");
    }
    for (int column = 0; column < kGearColumns; ++column) {
      double value = 0.0;
      if (!ParseDouble(line.words[1 + column], value) || !IsGateCell(value)) {
        return Error(line.number, key + " cells are ratios above 0, 0 (neutral) or -1 (blocked)");
      }
      car_.gear_gate[row][column] = value;
    }
  }

  void ParseTorque(const Line& line) {
    if (!MarkSeen(line, "torque")) return;
    const size_t values = line.words.size() - 1;
    if (values < 2 || values > static_cast<size_t>(kTorqueCurvePoints)) {
      return Error(line.number, "torque needs 2 to 40 values (kgf·m every 500 rpm from 0)");
    }
    double curve[kTorqueCurvePoints] = {};
    for (size_t i = 0; i < values; ++i) {
      if (!ParseDouble(line.words[1 + i], curve[i]) || curve[i] < 0.0) {
        return Error(line.number, "torque values are numbers of 0 or more");
      }
    }
    if (curve[0] != 0.0) return Error(line.number, "torque must be 0 at 0 rpm");
    if (curve[kTorqueCurvePoints - 1] != 0.0) {
      return Error(line.number, "torque must be back to 0 by 19500 rpm");
    }
    // One peak: the curve never rises again once it has started to fall.
    bool falling = false;
    for (int i = 1; i < kTorqueCurvePoints; ++i) {
      if (curve[i] < curve[i - 1]) falling = true;
      if (falling && curve[i] > curve[i - 1]) {
        std::ostringstream what;
        what << "torque rises again at " << i * 500 << " rpm; a curve has one peak";
        return Error(line.number, what.str());
      }
    }
    std::memcpy(car_.torque_curve, curve, sizeof curve);
  }

  void FinishCar(int end_line) {
    in_car_ = false;
    std::vector<std::string> required;
    for (const FloatField& field : kFloatFields) required.push_back(field.name);
    for (const IntField& field : kIntFields) required.push_back(field.name);
    for (const char* field : kSpecialFields) required.push_back(field);
    for (const std::string& field : required) {
      if (seen_.count(field) == 0) Error(end_line, "car block is missing '" + field + "'");
    }
    cars_.push_back(car_);
    car_lines_.push_back(car_line_);
  }

  const std::string& source_name_;
  std::vector<std::string>& errors_;
  long declared_count_ = -1;
  int count_line_ = 0;
  bool in_car_ = false;
  int car_line_ = 0;
  CarSpec car_{};
  std::set<std::string> seen_;
  std::vector<int> car_lines_;
};

// Decodes one UTF-8 character at text[i]; 0 on a malformed sequence.
size_t DecodeUtf8(const std::string& text, size_t i, uint32_t& code) {
  const uint8_t lead = static_cast<uint8_t>(text[i]);
  size_t length = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    const uint8_t next = static_cast<uint8_t>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  static const uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF) return 0;  // overlong or out of range
  return length;
}

}  // namespace

bool ConvertCarName(const std::string& utf8, std::string& shift_jis, std::string& reason) {
  shift_jis.clear();
  size_t i = 0;
  while (i < utf8.size()) {
    uint32_t code = 0;
    const size_t length = DecodeUtf8(utf8, i, code);
    if (length == 0) {
      reason = "is not valid UTF-8";
      return false;
    }
    if (code >= 0x20 && code <= 0x7E) {
      shift_jis += static_cast<char>(code);
    } else if (code >= 0xFF61 && code <= 0xFF9F) {
      shift_jis += static_cast<char>(code - 0xFF61 + 0xA1);
    } else {
      char what[96];
      std::snprintf(what, sizeof what,
                    "has U+%04X; only printable ASCII and half-width katakana are drawn",
                    static_cast<unsigned>(code));
      reason = what;
      return false;
    }
    i += length;
  }
  if (shift_jis.empty()) {
    reason = "is empty";
    return false;
  }
  if (shift_jis.size() > static_cast<size_t>(kCarNameMaxBytes)) {
    reason = "is " + std::to_string(shift_jis.size()) +
             " bytes; a ranking entry keeps at most 27";
    return false;
  }
  return true;
}

bool ParseCarSource(const std::string& text, const std::string& source_name,
                    std::vector<CarSpec>& cars, std::vector<std::string>& errors) {
  cars.clear();
  const size_t errors_before = errors.size();
  SourceParser parser(source_name, errors);
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    parser.ParseLine(line, number);
  }
  parser.Finish(number);
  if (errors.size() != errors_before) return false;
  cars = parser.cars_;
  return true;
}

std::vector<uint8_t> SerializeCarData(const std::vector<CarSpec>& cars) {
  static_assert(sizeof(CarSpec) == 612, "one record is 612 bytes in the resource");
  const int32_t count = static_cast<int32_t>(cars.size());
  std::vector<uint8_t> bytes(4 + cars.size() * sizeof(CarSpec));
  std::memcpy(bytes.data(), &count, 4);
  if (!cars.empty()) std::memcpy(bytes.data() + 4, cars.data(), cars.size() * sizeof(CarSpec));
  return bytes;
}
