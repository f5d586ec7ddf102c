// The race's "TIMESLIP" picture: the plates of the time-slip panel and of the ghost's gap
// panel beside it, one of each for each course, and the game's small 8 x 16 font in the instruments' cream and orange for its lettering. Where
// each piece lies comes from the race's own layout (race/time_slip_panel.h).
#include "race/time_slip_panel.h"
#include "tools/art/common/font_sheet.h"
#include "tools/art/common/house_style.h"
#include "tools/art/common/preview.h"
#include "tools/art/pictures/race_art.h"

namespace race_art {
namespace {

ArtRect ToArt(const PixelRect& r) { return ArtRect{r.left, r.top, r.right, r.bottom}; }

// A read-out plate with a pin line under the heading and the units, above the first value row.
void DrawSlipPlate(cairo_t* cr, const ArtRect& plate) {
  DrawReadoutPlate(cr, plate);
  const double y = plate.top + SlipRowY(kSlipFirstValueRow) - 1.5;
  cairo_move_to(cr, plate.left + 6, y);
  cairo_line_to(cr, plate.right - 6, y);
  SetSource(cr, HexRgb(0x5A6E9E));
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
}

void DrawSheet(cairo_t* cr, int top, Rgb fillTop, Rgb fillBottom, Rgb outline) {
  cairo_save(cr);
  cairo_translate(cr, 0, top);
  DrawFontSheet(cr, kSmallFontLayout, &SmallFontCharacter,
                SmallFontLook(fillTop, fillBottom, outline, 0.6));
  cairo_restore(cr);
}

// The panel as the race sets it, after the finish of each course, over the road's grey.
void WritePanelPreview(const ArtContext& context, const IndexedBitmap& picture) {
  TimeSlip slip = {};
  slip.reacted = true;
  slip.reaction_ms = 412;
  const uint32_t times[kSlipMarks] = {1734, 4980, 7412, 11385, 14817, 18051, 21204};
  const double speeds[kSlipMarks] = {61.2, 118.4, 151.7, 187.3, 208.9, 223.5, 234.0};
  for (int i = 0; i < kSlipMarks; ++i) slip.marks[i] = {true, times[i], speeds[i]};
  cairo_surface_t* page = cairo_image_surface_create(
      CAIRO_FORMAT_RGB24, 2 * (kSlipPanelWidth + kGapPanelWidth + 20) + 12, 200);
  cairo_t* cr = cairo_create(page);
  SetSource(cr, HexRgb(0x6A6C70));
  cairo_paint(cr);
  cairo_destroy(cr);
  // The ghost's run: a little slower at the lamps and off the line, quicker later.
  TimeSlip ghost = slip;
  ghost.reaction_ms = 389;
  const int32_t ahead[kSlipMarks] = {-45, -12, 30, 123, 260, 410, 586};
  for (int i = 0; i < kSlipMarks; ++i) ghost.marks[i].time_ms = times[i] - ahead[i];
  int x = 16;
  std::vector<InstrumentBlit> cells;
  for (const float course : {400.0f, 1000.0f}) {
    TimeSlipPanel(slip, course, cells);
    for (const InstrumentBlit& cell : cells) {
      BlitBitmapRect(page, picture, ToArt(cell.source), x + cell.destination.left - kSlipPanelX,
                     16 + cell.destination.top - kSlipPanelY, true);
    }
    GhostGapPanel(slip, ghost, course, cells);
    for (const InstrumentBlit& cell : cells) {
      BlitBitmapRect(page, picture, ToArt(cell.source), x + cell.destination.left - kGapPanelX +
                     kSlipPanelWidth + 4, 16 + cell.destination.top - kSlipPanelY, true);
    }
    x += kSlipPanelWidth + kGapPanelWidth + 20;
  }
  ArtCheck(cairo_surface_write_to_png(page, context.PreviewPath("race_time_slip").c_str()) ==
               CAIRO_STATUS_SUCCESS,
           "cannot write the time slip preview");
  cairo_surface_destroy(page);
}

void GenerateTimeSlip(const ArtContext& context) {
  Canvas canvas(kSlipPictureWidth, kSlipPictureHeight);
  cairo_t* cr = canvas.cr();
  std::vector<ArtRect> outlines;
  for (const float course : {1000.0f, 400.0f}) {
    for (const PixelRect& source : {SlipPlateSource(course), GapPlateSource(course)}) {
      DrawSlipPlate(cr, ToArt(source));
      outlines.push_back(ToArt(source));
    }
  }
  DrawSheet(cr, kSlipCreamFontTop, CreamTop(), CreamBottom(), CreamOutline());
  DrawSheet(cr, kSlipOrangeFontTop, OrangeTop(), OrangeBottom(), OrangeOutline());
  for (const int top : {kSlipCreamFontTop, kSlipOrangeFontTop}) {
    for (const ArtRect& cell : FontCellOutlines(kSmallFontLayout.SheetWidth(),
                                                kSmallFontLayout.SheetHeight(), kSlipCellWidth)) {
      outlines.push_back(ArtRect{cell.left, cell.top + top, cell.right, cell.bottom + top});
    }
  }
  const IndexedBitmap picture = QuantizeKeyed(canvas.surface());
  WriteBitmap(context, "TIMESLIP", picture, outlines);
  WritePanelPreview(context, picture);
}

ArtRegistration registration("TIMESLIP", &GenerateTimeSlip);

}  // namespace
}  // namespace race_art
