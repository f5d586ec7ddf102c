#include "race/time_slip_panel.h"

#include <cstdio>

#include "display/glyph_layout.h"

namespace {

// "TIME SLIP" centred; the units right-aligned over their columns, whose figures ("99.999",
// "999.9") end 43 and 35 px right of where they begin.
constexpr int32_t kHeadingX = (kSlipPanelWidth - 9 * kSlipCellWidth) / 2;
constexpr int32_t kSecondsUnitX = kSlipTimeX + 43 - 3 * kSlipCellWidth;
constexpr int32_t kSpeedUnitX = kSlipSpeedX + 35 - 4 * kSlipCellWidth;

int32_t MarksOnCourse(float courseLength) {
  int32_t count = 0;
  for (int32_t metres : kSlipMarkMetres) count += metres <= courseLength ? 1 : 0;
  return count;
}

PixelRect FromSheet(const PixelRect& glyph, int32_t sheetTop) {
  return {glyph.left, glyph.top + sheetTop, glyph.right, glyph.bottom + sheetTop};
}

class PanelCells {
 public:
  PanelCells(std::vector<InstrumentBlit>& cells, int32_t panelX) : cells_(cells), x_(panelX) {}

  // All in cream.
  void Text(const char* text, int32_t x, int32_t row) {
    WalkBitmapText(text, kMaxChars, x_ + x, kSlipPanelY + SlipRowY(row), kSlipCellWidth,
                   [&](uint8_t code, const PixelRect& source, const PixelRect& destination) {
                     Add(code, source, destination, kSlipCreamFontTop);
                   });
  }

  // Figures in orange, the rest in cream, the point kerned as every number of the game.
  void Number(const char* text, int32_t x, int32_t row) {
    int32_t left = x_ + x;
    WalkNumberText(text, kMaxChars, left, kSlipPanelY + SlipRowY(row), kSlipCellWidth,
                   [&](uint8_t code, const PixelRect& source, const PixelRect& destination) {
                     Add(code, source, destination,
                         IsDigitCode(code) ? kSlipOrangeFontTop : kSlipCreamFontTop);
                   });
  }

 private:
  static constexpr int32_t kMaxChars = 16;

  // A space is a blank cell: nothing to copy.
  void Add(uint8_t code, const PixelRect& source, const PixelRect& destination, int32_t sheet) {
    if (code != ' ') cells_.push_back({FromSheet(source, sheet), destination});
  }

  std::vector<InstrumentBlit>& cells_;
  int32_t x_;  // the panel's left on the screen
};

// Whole milliseconds as seconds with three decimals, never through a rounded double.
void FormatSeconds(uint32_t ms, char (&text)[16]) {
  std::snprintf(text, sizeof text, "%2u.%03u", static_cast<unsigned>(ms / 1000),
                static_cast<unsigned>(ms % 1000));
}

// The player's time less the ghost's, as seconds with a sign and three decimals.
void FormatGap(uint32_t mineMs, uint32_t ghostMs, char (&text)[16]) {
  constexpr uint32_t kWidestGapMs = 9999;  // the column holds one whole-second digit
  const bool behind = mineMs >= ghostMs;
  uint32_t gap = behind ? mineMs - ghostMs : ghostMs - mineMs;
  if (gap > kWidestGapMs) gap = kWidestGapMs;
  std::snprintf(text, sizeof text, "%c%u.%03u", behind ? '+' : '-',
                static_cast<unsigned>(gap / 1000), static_cast<unsigned>(gap % 1000));
}

// Empties cells and puts the plate first.
void StartWithPlate(std::vector<InstrumentBlit>& cells, const PixelRect& source, int32_t panelX,
                    float courseLength) {
  cells.clear();
  cells.push_back({source,
                   {panelX, kSlipPanelY, panelX + source.Width(),
                    kSlipPanelY + SlipPanelHeight(courseLength)}});
}

}  // namespace

int32_t SlipPanelHeight(float courseLength) {
  return SlipRowY(kSlipFirstValueRow + 1 + MarksOnCourse(courseLength)) + kSlipTopMargin;
}

PixelRect SlipPlateSource(float courseLength) {
  const int32_t left = MarksOnCourse(courseLength) == kSlipMarks ? 0 : kSlipPanelWidth;
  return {left, 0, left + kSlipPanelWidth, SlipPanelHeight(courseLength)};
}

PixelRect GapPlateSource(float courseLength) {
  const int32_t left =
      kGapPlatesLeft + (MarksOnCourse(courseLength) == kSlipMarks ? 0 : kGapPanelWidth);
  return {left, 0, left + kGapPanelWidth, SlipPanelHeight(courseLength)};
}

void TimeSlipPanel(const TimeSlip& slip, float courseLength, std::vector<InstrumentBlit>& cells) {
  StartWithPlate(cells, SlipPlateSource(courseLength), kSlipPanelX, courseLength);
  PanelCells panel(cells, kSlipPanelX);
  panel.Text("TIME SLIP", kHeadingX, 0);
  panel.Text("sec", kSecondsUnitX, 1);
  panel.Text("km/h", kSpeedUnitX, 1);

  char text[16];
  int32_t row = kSlipFirstValueRow;
  panel.Text("  R/T", kSlipLabelX, row);
  if (slip.reacted) {
    FormatSeconds(slip.reaction_ms, text);
    panel.Number(text, kSlipTimeX, row);
  }
  for (int i = 0; i < kSlipMarks; ++i) {
    if (kSlipMarkMetres[i] > courseLength) continue;
    ++row;
    std::snprintf(text, sizeof text, "%4dm", static_cast<int>(kSlipMarkMetres[i]));
    panel.Text(text, kSlipLabelX, row);
    const SlipMark& mark = slip.marks[i];
    if (!mark.passed) continue;
    FormatSeconds(mark.time_ms, text);
    panel.Number(text, kSlipTimeX, row);
    std::snprintf(text, sizeof text, "%5.1f", mark.speed);
    panel.Number(text, kSlipSpeedX, row);
  }
}

void GhostGapPanel(const TimeSlip& slip, const TimeSlip& ghostSlip, float courseLength,
                   std::vector<InstrumentBlit>& cells) {
  StartWithPlate(cells, GapPlateSource(courseLength), kGapPanelX, courseLength);
  PanelCells panel(cells, kGapPanelX);
  panel.Text("GHOST", (kGapPanelWidth - 5 * kSlipCellWidth) / 2, 0);
  // "sec" right-aligned over the figures, which ("+9.999") end 43 px right of their start.
  panel.Text("sec", kGapValueX + 43 - 3 * kSlipCellWidth, 1);

  char text[16];
  int32_t row = kSlipFirstValueRow;
  if (slip.reacted && ghostSlip.reacted) {
    FormatGap(slip.reaction_ms, ghostSlip.reaction_ms, text);
    panel.Number(text, kGapValueX, row);
  }
  for (int i = 0; i < kSlipMarks; ++i) {
    if (kSlipMarkMetres[i] > courseLength) continue;
    ++row;
    const SlipMark& mine = slip.marks[i];
    const SlipMark& theirs = ghostSlip.marks[i];
    if (!mine.passed || !theirs.passed) continue;
    FormatGap(mine.time_ms, theirs.time_ms, text);
    panel.Number(text, kGapValueX, row);
  }
}

bool CellsToAdd(const std::vector<InstrumentBlit>& shown, const std::vector<InstrumentBlit>& wanted,
                std::vector<InstrumentBlit>& missing) {
  auto same = [](const InstrumentBlit& a, const InstrumentBlit& b) {
    return a.source == b.source && a.destination == b.destination;
  };
  auto contains = [&](const std::vector<InstrumentBlit>& cells, const InstrumentBlit& cell) {
    for (const InstrumentBlit& c : cells) {
      if (same(c, cell)) return true;
    }
    return false;
  };
  missing.clear();
  // An empty panel has not been set at all: not even the plate is on it.
  if (shown.empty()) return false;
  for (const InstrumentBlit& cell : shown) {
    if (!contains(wanted, cell)) return false;
  }
  for (const InstrumentBlit& cell : wanted) {
    if (!contains(shown, cell)) missing.push_back(cell);
  }
  return true;
}
