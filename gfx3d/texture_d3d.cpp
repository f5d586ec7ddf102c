// The texture loader: resource bytes, the device's 16-bit format, the surface and its texels.
#include "gfx3d/texture_d3d.h"

#include "app/debug_log.h"
#include "gfx3d/texture_bitmap.h"
#include "gfx3d/texture_conversion.h"

static_assert(kPixelFormatAlphaPixels == DDPF_ALPHAPIXELS, "DDPF_ALPHAPIXELS");
static_assert(kPixelFormatRgb == DDPF_RGB, "DDPF_RGB");
static_assert(sizeof(BITMAPINFOHEADER) == kDibHeaderBytes, "BITMAPINFOHEADER");
// dwSize tells DirectDraw which layout it is given: 124 bytes in a 32-bit process, more in a
// 64-bit one, where the surface pointer is wider.
static_assert(sizeof(void*) != 4 || sizeof(DDSURFACEDESC2) == 124, "DDSURFACEDESC2");

Texture tex_sig;
Texture tex_Way;
Texture tex_Way2;

namespace {

TexturePixelFormat FromDirectDraw(const DDPIXELFORMAT& format) {
  TexturePixelFormat portable;
  portable.flags = format.dwFlags;
  portable.rgb_bit_count = format.dwRGBBitCount;
  portable.red_mask = format.dwRBitMask;
  portable.green_mask = format.dwGBitMask;
  portable.blue_mask = format.dwBBitMask;
  portable.alpha_mask = format.dwRGBAlphaBitMask;
  return portable;
}

// What the enumeration hands back: the device's own record of the chosen format, so that the
// surface is created with exactly what the device listed.
struct FormatChoice {
  DDPIXELFORMAT chosen = {};
  bool found = false;
};

HRESULT CALLBACK ConsiderTextureFormat(DDPIXELFORMAT* offered, void* context) {
  FormatChoice& choice = *static_cast<FormatChoice*>(context);
  if (offered == nullptr) return D3DENUMRET_OK;
  const FormatVerdict verdict = JudgeTextureFormat(FromDirectDraw(*offered));
  if (verdict == FormatVerdict::kSkip) return D3DENUMRET_OK;
  choice.chosen = *offered;
  choice.found = true;
  return verdict == FormatVerdict::kTakeAndStop ? D3DENUMRET_CANCEL : D3DENUMRET_OK;
}

bool ReadBitmap(const uint8_t* bytes, size_t size, TextureBitmap& bitmap) {
  switch (ReadTextureBitmap(bytes, size, bitmap)) {
    case TextureBitmapStatus::kOk:
      return true;
    case TextureBitmapStatus::kNot8Bit:
      WriteLog("256色(8bit)以外のビットマップは読み込めません。\n");
      break;
    case TextureBitmapStatus::kCompressed:
      WriteLog("圧縮されたビットマップは読み込めません。\n");
      break;
    default:
      WriteLog("ビットマップのサイズが不正です。\n");
      break;
  }
  WriteLog("テクスチュアの読み込みに失敗しました。\n");
  return false;
}

// Locks the surface, converts every pixel through the palette and unlocks it again.
bool FillSurface(IDirectDrawSurface4* surface, const TextureBitmap& bitmap) {
  DDSURFACEDESC2 locked = {};
  locked.dwSize = sizeof(locked);
  if (FAILED(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr))) {
    WriteLog("サーフェイスのロックに失敗しました。\n");
    return false;
  }
  DDPIXELFORMAT format = {};
  format.dwSize = sizeof(format);
  // Read back from the surface: the driver may have settled on other masks than were asked.
  if (FAILED(surface->GetPixelFormat(&format))) format = locked.ddpfPixelFormat;
  const TexturePixelFormat portable = FromDirectDraw(format);
  const ChannelLayout channels = ChannelLayoutOf(portable);
  WriteLog("テクスチュアフォーマット：A%d, R%d, G%d, B%d\n", channels.bits[kAlpha],
           channels.bits[kRed], channels.bits[kGreen], channels.bits[kBlue]);

  uint16_t table[kPaletteEntries];
  BuildTextureColorTable(bitmap.palette, portable, table);
  LockedTexels texels;
  texels.memory = static_cast<uint8_t*>(locked.lpSurface);
  texels.pitch = static_cast<int32_t>(locked.lPitch);
  texels.width = static_cast<int32_t>(locked.dwWidth);
  texels.height = static_cast<int32_t>(locked.dwHeight);
  const bool converted = ConvertTexturePixels(bitmap, table, texels);
  surface->Unlock(nullptr);
  return converted;
}

int Fail(Texture& texture) {
  ReleaseTexture(texture);
  return 0;
}

}  // namespace

int LoadTextureFromBitmap(Texture& texture, const uint8_t* bytes, size_t size,
                          IDirect3DDevice3* device, IDirectDraw4* directDraw,
                          int32_t hardwareDevice) {
  texture.device = device;
  ReleaseTexture(texture);

  TextureBitmap bitmap;
  if (!ReadBitmap(bytes, size, bitmap)) return Fail(texture);
  if (device == nullptr || directDraw == nullptr) {
    WriteLog("EnumTextureFormats() 関数が失敗しました。\n");
    return Fail(texture);
  }

  FormatChoice choice;
  if (FAILED(device->EnumTextureFormats(ConsiderTextureFormat, &choice))) {
    WriteLog("EnumTextureFormats() 関数が失敗しました。\n");
    return Fail(texture);
  }
  if (!choice.found) {
    WriteLog("指定されたテクスチュアフォーマットが見つかりません。\n");
    return Fail(texture);
  }

  DDSURFACEDESC2 description = {};
  description.dwSize = sizeof(description);
  description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  description.dwWidth = static_cast<DWORD>(bitmap.width);
  description.dwHeight = static_cast<DWORD>(bitmap.height);
  description.ddpfPixelFormat = choice.chosen;
  // A hardware device textures from video memory; the software devices read system memory.
  description.ddsCaps.dwCaps =
      DDSCAPS_TEXTURE | (hardwareDevice != 0 ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);
  if (FAILED(directDraw->CreateSurface(&description, &texture.surface, nullptr)) ||
      texture.surface == nullptr) {
    texture.surface = nullptr;
    WriteLog("テクスチュアサーフェイスを作成できません。\n");
    return Fail(texture);
  }

  if (!FillSurface(texture.surface, bitmap)) {
    WriteLog("テクスチュアを指定フォーマットへ変換できません。\n");
    return Fail(texture);
  }

  void* textureInterface = nullptr;
  if (FAILED(texture.surface->QueryInterface(IID_IDirect3DTexture2, &textureInterface)) ||
      textureInterface == nullptr) {
    WriteLog("Direct3DTexture2 の作成に失敗しました。\n");
    return Fail(texture);
  }
  texture.texture = static_cast<IDirect3DTexture2*>(textureInterface);
  return 1;
}

int LoadTexture(Texture& texture, const char* resourceName, IDirect3DDevice3* device,
                IDirectDraw4* directDraw, int32_t hardwareDevice) {
  texture.device = device;
  ReleaseTexture(texture);

  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, resourceName, reinterpret_cast<LPCSTR>(RT_BITMAP));
  if (info == nullptr) {
    WriteLog("指定されたリソース %s は見つかりません。\n", resourceName);
    WriteLog("テクスチュアの読み込みに失敗しました。\n");
    return 0;
  }
  HGLOBAL handle = LoadResource(module, info);
  if (handle == nullptr) {
    WriteLog("リソースのハンドルを取得できません。\n");
    WriteLog("テクスチュアの読み込みに失敗しました。\n");
    return 0;
  }
  const void* data = LockResource(handle);
  if (data == nullptr) {
    WriteLog("リソースへのポインタを取得できません。\n");
    WriteLog("テクスチュアの読み込みに失敗しました。\n");
    return 0;
  }
  // The size the resource compiler recorded: the reader checks the header against it.
  const DWORD size = SizeofResource(module, info);
  return LoadTextureFromBitmap(texture, static_cast<const uint8_t*>(data), size, device,
                               directDraw, hardwareDevice);
}

void ReleaseTexture(Texture& texture) {
  if (texture.texture != nullptr) {
    texture.texture->Release();
    texture.texture = nullptr;
  }
  if (texture.surface != nullptr) {
    texture.surface->Release();
    texture.surface = nullptr;
  }
}
