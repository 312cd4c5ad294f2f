// Text through GDI: fonts are GDI fonts, glyphs are drawn with DrawTextW into
// the render bitmap's device context, and the system draws whole texts with
// DrawTextA/DrawTextW.
#include <windows.h>

#include <vector>

#include "raster/FontSystem.h"
#include "raster/FontUtf8.h"

namespace {

HFONT toGdi(PX_FontHandle font) { return reinterpret_cast<HFONT>(font); }
HDC toGdi(PX_DeviceContext context) { return static_cast<HDC>(context); }

COLORREF gdiColour(PX_Pixel32 c) { return RGB(PX_Red(c), PX_Green(c), PX_Blue(c)); }

// GDI quality for the editor's quality setting.
DWORD gdiQuality(int quality) {
  switch (quality) {
    case 0: return DEFAULT_QUALITY;
    case 2: return ANTIALIASED_QUALITY;
    case 3: return CLEARTYPE_QUALITY;
    default: return NONANTIALIASED_QUALITY;
  }
}

// Selects a font into a context for the life of the object.
class SelectedFont {
 public:
  SelectedFont(HDC dc, PX_FontHandle font) : dc_(dc), previous_(SelectObject(dc, toGdi(font))) {}
  ~SelectedFont() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

RECT toGdi(const PX_Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
PX_Rect fromGdi(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Texts of up to this many characters convert on the stack.
constexpr int kStackChars = 1024;
constexpr int kStackLimit = 999;

}  // namespace

PX_FontHandle PX_CreateFont(const PX_FontDesc& desc) {
  HFONT font = CreateFontA(desc.height, 0, desc.angle * 10, desc.angle * 10, desc.bold ? FW_BOLD : FW_NORMAL,
                           desc.italic ? TRUE : FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, gdiQuality(desc.quality), DEFAULT_PITCH, desc.face);
  return reinterpret_cast<PX_FontHandle>(font);
}

void PX_DeleteFont(PX_FontHandle font) {
  if (font) DeleteObject(toGdi(font));
}

namespace px_font {

bool systemCanDraw() { return true; }

bool runningUnderWine() {
  // The answer holds for the life of the process.
  static const bool underWine = [] {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }();
  return underWine;
}

std::string familyName(PX_FontHandle font) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc || !font) return "";
  char name[LF_FACESIZE] = "";
  {
    SelectedFont selected(dc, font);
    GetTextFaceA(dc, LF_FACESIZE, name);
  }
  DeleteDC(dc);
  return name;
}

void prepareRenderBitmap(PX_IBitmap* render) {
  HDC dc = toGdi(render->deviceContext());
  if (!dc) return;
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, RGB(0, 0, 0));
}

int lineHeight(PX_FontHandle font, PX_IBitmap* render) {
  HDC dc = render ? toGdi(render->deviceContext()) : nullptr;
  if (!dc || !font) return 0;
  SelectedFont selected(dc, font);
  TEXTMETRICA metrics;
  return GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 0;
}

CellSize measureGlyph(PX_FontHandle font, PX_IBitmap* render, uint32_t code) {
  CellSize size;
  HDC dc = toGdi(render->deviceContext());
  if (!dc || !font) return size;
  SelectedFont selected(dc, font);
  WCHAR c = static_cast<WCHAR>(code);
  RECT r = {0, 0, 0, 0};
  DrawTextW(dc, &c, 1, &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  size.advance = r.right - r.left;
  size.height = r.bottom - r.top;
  return size;
}

void drawGlyph(PX_FontHandle font, PX_IBitmap* render, uint32_t code, int x) {
  HDC dc = toGdi(render->deviceContext());
  if (!dc || !font) return;
  {
    SelectedFont selected(dc, font);
    WCHAR c = static_cast<WCHAR>(code);
    RECT r = {x, 0, render->width(), render->height()};
    DrawTextW(dc, &c, 1, &r, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
  }
  GdiFlush();  // the pixels are read directly next
}

int drawNative(PX_FontHandle font, PX_DeviceContext context, const NativeText& text) {
  HDC dc = toGdi(context);
  if (!dc || !font || !text.rect) return 0;
  SelectedFont selected(dc, font);
  SetTextColor(dc, gdiColour(text.colour));
  SetBkMode(dc, text.backgroundMode == PX_BACKGROUND_OPAQUE ? OPAQUE : TRANSPARENT);
  if (text.backgroundMode == PX_BACKGROUND_OPAQUE) SetBkColor(dc, gdiColour(text.background));
  RECT r = toGdi(*text.rect);
  UINT flags = text.flags & 0xFFFFFFu;  // the system's own bits only
  int result;
  if (PX_HasUtf8Sequence(text.text, text.count)) {
    WCHAR onStack[kStackChars];
    std::vector<WCHAR> onHeap;
    WCHAR* wide = onStack;
    int needed = MultiByteToWideChar(CP_UTF8, 0, text.text, text.count, nullptr, 0);
    if (needed > kStackLimit) {
      onHeap.resize(static_cast<size_t>(needed));
      wide = onHeap.data();
    }
    int length = MultiByteToWideChar(CP_UTF8, 0, text.text, text.count, wide, needed > kStackLimit ? needed : kStackChars);
    result = DrawTextW(dc, wide, length, &r, flags);
  } else {
    result = DrawTextA(dc, text.text, text.count, &r, flags);
  }
  GdiFlush();
  *text.rect = fromGdi(r);
  return result;
}

}  // namespace px_font
