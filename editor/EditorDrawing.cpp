// IEditor: the drawing operations controls use, all into the drawing bitmap.
// Controls give face pixels; everything is drawn at the editor's scale:
// artwork from copies resampled once per scale, text from fonts of the
// scaled size, shapes at scaled coordinates with lines as thick as the scale.
#include <algorithm>
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

// Lines and frames one face pixel wide cover this many window pixels.
int32_t LineWidth(const IEditorScale& scale) { return std::max(1, scale.ToPixels(1)); }

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
  const IRect at = scale.ToPixels(dest);
  IRect r = at.Intersect(scale.ToPixels(drawArea));
  if (r.Empty() || !strip.image || !drawBitmap) return true;
  PX_IBitmap* image = ScaledImage(strip);
  if (!image) return true;
  PX_CopyAreaXYWH(drawBitmap.get(), image, r.L, r.T, scale.ToPixels(srcX) + r.L - at.L,
                  scale.ToPixels(srcY) + r.T - at.T, r.W(), r.H(), BlendOpacity(blend), Mode(blend));
  return true;
}

bool IEditor::DrawRotated(const IFrameStrip& strip, int32_t centreX, int32_t centreY, double angle,
                          const IBlend* blend, float srcX, float srcY) {
  if (!strip.image || !drawBitmap) return true;
  PX_IBitmap* image = ScaledImage(strip);
  if (!image) return true;
  const int32_t w = image->width(), h = image->height();
  // The face's centre pixel, at scale: the middle of its scaled area.
  const int32_t cx = (scale.ToPixels(centreX) + scale.ToPixels(centreX + 1)) / 2;
  const int32_t cy = (scale.ToPixels(centreY) + scale.ToPixels(centreY + 1)) / 2;
  PX_RotateArea(drawBitmap.get(), image, cx - w / 2, cy - h / 2, w, h, scale.ToPixels(srcX), scale.ToPixels(srcY),
                static_cast<float>(w), static_cast<float>(h), static_cast<float>(angle), false, BlendOpacity(blend),
                Mode(blend) + PX_COMBINE_BILINEAR, 0.0f, 0.0f);
  return true;
}

bool IEditor::DrawText(ITextStyle* style, const char* text, const IRect& dest) {
  if (!text || !text[0]) return true;
  if (!style) return false;
  if (!style->cachedFont || style->cachedScale != scale.Factor()) {
    style->cachedFont = FontCache::ForStyle(*style, scale);
    style->cachedScale = scale.Factor();
  }
  PX_CachedFont* font = style->cachedFont;
  if (!font) return false;
  font->setTextColor(style->colour.Pixel());
  uint32_t flags = PX_TEXT_NOCLIP;
  if (style->colour.A < 255) flags |= PX_TEXT_FOREGROUND_ALPHA;
  if (style->align == kAlignCentre) flags |= PX_TEXT_CENTER;
  if (style->align == kAlignFar) flags |= PX_TEXT_RIGHT;
  const IRect at = scale.ToPixels(dest);
  PX_Rect r{at.L, at.T, at.R, at.B};
  if (drawBitmap) font->drawText(drawBitmap.get(), text, -1, &r, flags);
  return true;
}

bool IEditor::FillRect(const IArgb& colour, const IRect& r, const IBlend* blend) {
  if (!drawBitmap) return true;
  const IRect at = scale.ToPixels(r);
  PX_FillArea(drawBitmap.get(), at.L, at.T, at.W(), at.H(), colour.Pixel(), BlendOpacity(blend), Mode(blend));
  return true;
}

bool IEditor::DrawLine(const IArgb& colour, float x1, float y1, float x2, float y2, const IBlend* blend,
                       bool antialias) {
  if (!drawBitmap) return true;
  // As thick as the scale: side by side across the line, centred on it.
  const int32_t n = LineWidth(scale);
  const float dx = x2 - x1, dy = y2 - y1, length = std::sqrt(dx * dx + dy * dy);
  const float nx = length > 0 ? -dy / length : 0.0f, ny = length > 0 ? dx / length : 0.0f;
  for (int32_t i = 0; i < n; ++i) {
    const float o = static_cast<float>(i) - static_cast<float>(n - 1) * 0.5f;
    PX_LineFloat(drawBitmap.get(), scale.ToPixels(x1) + o * nx, scale.ToPixels(y1) + o * ny,
                 scale.ToPixels(x2) + o * nx, scale.ToPixels(y2) + o * ny, colour.Pixel(), colour.Opacity(),
                 Mode(blend), antialias);
  }
  return true;
}

bool IEditor::FillRoundRect(const IArgb& colour, const IRect& faceRect, int32_t radius, const IBlend* blend,
                            bool antialias) {
  PX_IBitmap* b = drawBitmap.get();
  if (!b) return true;
  const IRect r = scale.ToPixels(faceRect);
  const int32_t q = scale.ToPixels(radius);
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

bool IEditor::FrameRoundRect(const IArgb& colour, const IRect& faceRect, int32_t radius, const IBlend* blend,
                             bool antialias) {
  if (!drawBitmap) return true;
  // A frame as thick as the scale: nested one-pixel frames.
  const IRect r = scale.ToPixels(faceRect);
  const int32_t q = scale.ToPixels(radius);
  for (int32_t i = 0; i < LineWidth(scale) && 2 * i < std::min(r.W(), r.H()); ++i)
    FramePixels(colour, IRect(r.L + i, r.T + i, r.R - i, r.B - i), std::max(0, q - i), blend, antialias);
  return true;
}

void IEditor::FramePixels(const IArgb& colour, const IRect& r, int32_t q, const IBlend* blend, bool antialias) {
  PX_IBitmap* b = drawBitmap.get();
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
}

PX_IBitmap* IEditor::ScaledImage(const IFrameStrip& strip) const {
  if (scale.IsOne() || !strip.image) return strip.image;
  return ImageCache::Scaled(strip.image, scale.ToPixels(strip.image->width()), scale.ToPixels(strip.image->height()));
}
