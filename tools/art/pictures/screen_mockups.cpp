// Previews of whole screens, put together from the finished pictures and fonts at the places
// the screens blit them, so the art can be judged as a player sees it. They write nothing
// the game uses.
#include <cstdio>

#include "tools/art/common/art_common.h"
#include "tools/art/common/font_sheet.h"

namespace {

struct Art {
  IndexedBitmap title, carselect, option, record, other1, cream, orange;
  bool complete = true;
};

void Load(const ArtContext& context, const char* name, IndexedBitmap* bitmap, bool* complete) {
  std::string error;
  if (!ReadBmp8(context.BitmapPath(name), bitmap, &error)) *complete = false;
}

class Screen {
 public:
  Screen() : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480)) {}
  ~Screen() { cairo_surface_destroy(surface_); }
  cairo_surface_t* surface() const { return surface_; }
  void Blit(const IndexedBitmap& b, ArtRect source, int x, int y) { BlitBitmapRect(surface_, b, source, x, y, true); }
  void Save(const ArtContext& context, const std::string& name, const Art& art) {
    BlitFontText(surface_, art.other1, kSmallFontLayout, "060FPS", 592, 0, false);
    ArtCheck(cairo_surface_write_to_png(surface_, context.PreviewPath(name).c_str()) == CAIRO_STATUS_SUCCESS,
             "cannot write " + name);
  }

 private:
  cairo_surface_t* surface_;
};

// Text centred on cx at the fixed 16-px pitch, as the screens centre their lines.
int CentredLeft(int cx, const std::string& text) { return cx - int(text.size()) * 16 / 2; }

void TitleScreen(const ArtContext& context, const Art& art) {
  Screen s;
  s.Blit(art.title, {0, 432, 304, 512}, 168, 390);
  s.Blit(art.title, {0, 0, 304, 160}, 168, 40);
  s.Blit(art.title, {0, 160, 304, 208}, 168, 180);
  s.Blit(art.title, {0, 272, 304, 432}, 168, 40);
  s.Blit(art.title, {0, 512, 304, 672}, 168, 230);
  s.Blit(art.title, {0, 672, 304, 704}, 168, 230 + 32 * 1);
  s.Save(context, "screen_title", art);
}

void CarSelectScreen(const ArtContext& context, const Art& art) {
  Screen s;
  s.Blit(art.carselect, {0, 0, 208, 48}, 216, 0);
  const std::string name = "\xB2\xB6\xBD\xDE\xC1 \xCC\xA7\xC6\xB0\xB6\xB0";  // half-width katakana, as in the car table
  BlitFontText(s.surface(), art.cream, kLargeFontLayout, name, (40 - int(name.size())) * 8, 60, true);
  const std::string power = " 330.7ps/5600rpm", torque = " 54.5kg-m/3500rpm", mass = "1510kg";
  BlitNumberText(s.surface(), art.orange, art.cream, kLargeFontLayout, power, CentredLeft(160, power), 180);
  BlitNumberText(s.surface(), art.orange, art.cream, kLargeFontLayout, torque, CentredLeft(160, torque), 244);
  BlitNumberText(s.surface(), art.orange, art.cream, kLargeFontLayout, mass, CentredLeft(160, mass), 308);
  BlitFontText(s.surface(), art.orange, kLargeFontLayout, "FR", CentredLeft(160, "FR"), 372, true);
  s.Blit(art.carselect, {0, 48, 128, 80}, 96, 148);
  s.Blit(art.carselect, {128, 48, 288, 80}, 80, 212);
  s.Blit(art.carselect, {0, 80, 128, 112}, 96, 276);
  s.Blit(art.carselect, {128, 80, 256, 112}, 96, 340);
  s.Blit(art.carselect, {0, 112, 32, 144}, 64, 60);
  s.Blit(art.carselect, {32, 112, 64, 144}, 544, 60);
  s.Save(context, "screen_carselect", art);
}

void OptionScreen(const ArtContext& context, const Art& art) {
  Screen s;
  s.Blit(art.option, {0, 0, 148, 48}, 246, 0);
  struct Row { const char* label; const char* value; int y; };
  const Row rows[] = {{"Screen         :", "Window", 90}, {"Speedmeter     :", "Analog", 122},
                      {"  Alt          :", "Btn0", 202},   {"  Ctrl         :", "Btn1", 234},
                      {"  Space&Enter  :", "Btn2", 266},   {"  Esc          :", "Btn3", 298}};
  for (const Row& row : rows) {
    BlitFontText(s.surface(), art.orange, kLargeFontLayout, row.label, 72, row.y, true);
    BlitFontText(s.surface(), art.cream, kLargeFontLayout, row.value, 360, row.y, true);
  }
  BlitFontText(s.surface(), art.orange, kLargeFontLayout, "Joystick Key Config", 72, 170, true);
  BlitFontText(s.surface(), art.orange, kLargeFontLayout, "OK", 304, 394, true);
  // The cursor on the first row, around "Window".
  s.Blit(art.option, {0, 48, 16, 80}, 360 - 16, 90);
  s.Blit(art.option, {16, 48, 32, 80}, 360 + 16 * 6, 90);
  s.Save(context, "screen_option", art);
}

void RecordScreen(const ArtContext& context, const Art& art) {
  Screen s;
  s.Blit(art.record, {0, 32, 256, 80}, 192, 0);
  s.Blit(art.record, {0, 80, 96, 112}, 272, 48);      // 400 m
  s.Blit(art.record, {240, 0, 336, 32}, 272, 80);     // time table
  const char* const cars[] = {"\xB2\xB6\xBD\xDE\xC1 \xCC\xA7\xC6\xB0\xB6\xB0", "ARATA Kazami\xA5" "MR", "SAGIRI Hibana MR-V6",
                              "KOGANE Uzumaki\xA5" "RT", "TSUKUMO Raijin GT-T"};
  const char* const players[] = {"VORTA", "MARK-Q", "ACE", "NOVA", "PLAYER"};
  for (int i = 0; i < 5; ++i) {
    const int x = 130 + 30 * i, y = 112 + 70 * i;
    s.Blit(art.record, {48 * i, 0, 48 * i + 48, 32}, x - 64, y);
    const std::string car = cars[i];
    BlitFontText(s.surface(), art.cream, kLargeFontLayout, car, x + (18 - int(car.size())) * 8, y + 32, true);
    char value[32];
    std::snprintf(value, sizeof value, "%6.3fsec", 10.512 + 0.731 * i);
    BlitNumberText(s.surface(), art.orange, art.cream, kLargeFontLayout, value, x, y);
    BlitFontText(s.surface(), art.orange, kLargeFontLayout, players[i], x + 220, y, true);
  }
  // The viewer's blinking arrows on the course line, and the name entry marks on entry 2.
  s.Blit(art.record, {192, 80, 352, 112}, 240, 48);
  const int r = 1, name_cursor = 2;
  s.Blit(art.record, {352, 80, 368, 112}, 350 + 30 * r + 16 * name_cursor, 112 + 70 * r);
  s.Blit(art.record, {256, 32, 320, 64}, 2 + 30 * r, 112 + 70 * r);
  s.Save(context, "screen_record", art);
}

void GenerateScreenMockups(const ArtContext& context) {
  Art art;
  Load(context, "TITLE", &art.title, &art.complete);
  Load(context, "CARSELECT", &art.carselect, &art.complete);
  Load(context, "OPTION", &art.option, &art.complete);
  Load(context, "RECORD", &art.record, &art.complete);
  Load(context, "FONT_DFPOP_16_OTHER1", &art.other1, &art.complete);
  Load(context, "FONT_DFPOP_32_CREAM", &art.cream, &art.complete);
  Load(context, "FONT_DFPOP_32_ORANGE", &art.orange, &art.complete);
  if (!art.complete) {
    std::fprintf(stderr, "artgen: menu screen previews skipped, the menu art is not all there\n");
    return;
  }
  TitleScreen(context, art);
  CarSelectScreen(context, art);
  OptionScreen(context, art);
  RecordScreen(context, art);
}

ArtPreviewRegistration registration("MENU_SCREENS", &GenerateScreenMockups);

}  // namespace
