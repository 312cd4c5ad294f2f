// IEditor: the drawing operations controls use, all into the drawing bitmap.
#include <cmath>

#include "editor/Editor.h"
#include "editor/FontCache.h"
#include "editor/ImageCache.h"
#include "raster/Blit.h"
#include "raster/CachedFont.h"
#include "raster/Draw.h"
#include "raster/SysBitmap.h"

namespace {

// Corner arcs of a rounded rectangle, as the raster library measures angles.
constexpr float kQuarter = 1.5707964f;
constexpr float kHalf = 3.1415927f;
constexpr float kThreeQuarters = 4.712389f;

struct Corner {
  float cx, cy, from, to;
};

// Top-left, top-right, bottom-right, bottom-left corner centres of r with
// radius q (r's right and bottom edges exclusive).
void Corners(const IRect& r, int32_t q, Corner out[4]) {
  float l = static_cast<float>(r.L + q), t = static_cast<float>(r.T + q);
  float rr = static_cast<float>(r.R - q - 1), b = static_cast<float>(r.B - q - 1);
  out[0] = {l, t, -kQuarter, 0.0f};
  out[1] = {rr, t, 0.0f, kQuarter};
  out[2] = {rr, b, kQuarter, kHalf};
  out[3] = {l, b, kHalf, kThreeQuarters};
}

uint32_t Mode(const IBlend* blend) { return static_cast<uint32_t>(BlendRasterMode(blend)); }

}  // namespace

IFrameStrip IEditor::LoadFrameStrip(int32_t resourceId, const char* name, int32_t frames) {
  PX_IBitmap* image = ImageCache::Find(resourceId, [&] { return LoadResourceImage(resourceId, name); });
  if (!image) return IFrameStrip(nullptr, 0, 0, frames < 1 ? 1 : frames);
  return IFrameStrip(image, image->width(), image->height(), frames < 1 ? 1 : frames);
}

bool IEditor::DrawFrame(const IFrameStrip& strip, const IRect& dest, int32_t frame, const IBlend* blend,
                        bool vertical) {
  int32_t srcX = 0, srcY = 0;
  if (strip.N >= 2 && frame >= 2) {
    double fraction = static_cast<double>(frame - 1) / strip.N;
    if (vertical)
      srcY = static_cast<int32_t>(strip.H * fraction + 0.5);
    else
      srcX = static_cast<int32_t>(strip.W * fraction + 0.5);
  }
  return DrawImageAt(strip, dest, srcX, srcY, blend);
}

bool IEditor::DrawImageAt(const IFrameStrip& strip, const IRect& dest, int32_t srcX, int32_t srcY,
                          const IBlend* blend) {
  IRect r = dest.Intersect(drawArea);
  if (r.Empty() || !strip.image || !drawBitmap) return true;
  PX_CopyAreaXYWH(drawBitmap.get(), strip.image, r.L, r.T, srcX + r.L - dest.L, srcY + r.T - dest.T, r.W(),
                  r.H(), BlendOpacity(blend), Mode(blend));
  return true;
}

bool IEditor::DrawRotated(const IFrameStrip& strip, int32_t centreX, int32_t centreY, double angle,
                          const IBlend* blend, float srcX, float srcY) {
  if (!strip.image || !drawBitmap) return true;
  PX_RotateArea(drawBitmap.get(), strip.image, centreX - strip.W / 2, centreY - strip.H / 2, strip.W, strip.H,
                srcX, srcY, static_cast<float>(strip.W), static_cast<float>(strip.H), static_cast<float>(angle),
                false, BlendOpacity(blend), Mode(blend) + PX_COMBINE_BILINEAR, 0.0f, 0.0f);
  return true;
}

bool IEditor::DrawText(ITextStyle* style, const char* text, const IRect& dest) {
  if (!text || !text[0]) return true;
  if (!style) return false;
  if (!style->cachedFont) style->cachedFont = FontCache::ForStyle(*style);
  PX_CachedFont* font = style->cachedFont;
  if (!font) return false;
  font->setTextColor(style->colour.Pixel());
  uint32_t flags = PX_TEXT_NOCLIP;
  if (style->colour.A < 255) flags |= PX_TEXT_FOREGROUND_ALPHA;
  if (style->align == kAlignCentre) flags |= PX_TEXT_CENTER;
  if (style->align == kAlignFar) flags |= PX_TEXT_RIGHT;
  PX_Rect r{dest.L, dest.T, dest.R, dest.B};
  if (drawBitmap) font->drawText(drawBitmap.get(), text, -1, &r, flags);
  return true;
}

bool IEditor::FillRect(const IArgb& colour, const IRect& r, const IBlend* blend) {
  if (!drawBitmap) return true;
  PX_FillArea(drawBitmap.get(), r.L, r.T, r.W(), r.H(), colour.Pixel(), BlendOpacity(blend), Mode(blend));
  return true;
}

bool IEditor::DrawLine(const IArgb& colour, float x1, float y1, float x2, float y2, const IBlend* blend,
                       bool antialias) {
  if (!drawBitmap) return true;
  PX_LineFloat(drawBitmap.get(), x1, y1, x2, y2, colour.Pixel(), colour.Opacity(), Mode(blend), antialias);
  return true;
}

bool IEditor::FillRoundRect(const IArgb& colour, const IRect& r, int32_t q, const IBlend* blend,
                            bool antialias) {
  PX_IBitmap* b = drawBitmap.get();
  if (!b) return true;
  PX_Pixel32 c = colour.Pixel();
  float weight = BlendOpacity(blend);
  uint32_t mode = Mode(blend);
  PX_FillArea(b, r.L, r.T + q + 1, r.W(), r.H() - 2 * q - 2, c, weight, mode);
  PX_FillArea(b, r.L + q + 1, r.T, r.W() - 2 * q - 2, q + 1, c, weight, mode);
  PX_FillArea(b, r.L + q + 1, r.B - q - 1, r.W() - 2 * q - 2, q + 1, c, weight, mode);
  Corner corners[4];
  Corners(r, q, corners);
  for (const Corner& k : corners)
    PX_ArcFilled(b, k.cx, k.cy, static_cast<float>(q), k.from, k.to, c, colour.Opacity(), mode, antialias);
  return true;
}

bool IEditor::FrameRoundRect(const IArgb& colour, const IRect& r, int32_t q, const IBlend* blend,
                             bool antialias) {
  PX_IBitmap* b = drawBitmap.get();
  if (!b) return true;
  PX_Pixel32 c = colour.Pixel();
  float opacity = colour.Opacity();
  uint32_t mode = Mode(blend);
  // The frame runs on the last column and row inside r.
  int32_t l = r.L, t = r.T, rr = r.R - 1, bb = r.B - 1, in = q + 1;
  PX_LineInt(b, l + in, t, rr - in, t, c, opacity, mode, antialias);
  PX_LineInt(b, l + in, bb, rr - in, bb, c, opacity, mode, antialias);
  PX_LineInt(b, l, t + in, l, bb - in, c, opacity, mode, antialias);
  PX_LineInt(b, rr, t + in, rr, bb - in, c, opacity, mode, antialias);
  Corner corners[4];
  Corners(r, q, corners);
  for (const Corner& k : corners)
    PX_ArcOutline(b, k.cx, k.cy, static_cast<float>(q), k.from, k.to, c, opacity, mode, antialias);
  return true;
}
