#include "tools/wav/WavFormat.h"

bool ParseWavFormat(const std::string& text, WavFormat* format) {
  if (text == "16") *format = WavFormat::kPcm16;
  else if (text == "24") *format = WavFormat::kPcm24;
  else if (text == "f32") *format = WavFormat::kFloat32;
  else if (text == "f64") *format = WavFormat::kFloat64;
  else return false;
  return true;
}

const char* WavFormatName(WavFormat format) {
  switch (format) {
    case WavFormat::kPcm16: return "16-bit";
    case WavFormat::kPcm24: return "24-bit";
    case WavFormat::kFloat32: return "32-bit float";
    default: return "64-bit float";
  }
}

WavLayout LayoutOf(WavFormat format, int channels, uint32_t rate) {
  WavLayout layout;
  layout.channels = channels;
  layout.rate = rate;
  switch (format) {
    case WavFormat::kPcm16: layout.bits = 16; break;
    case WavFormat::kPcm24: layout.bits = 24; break;
    case WavFormat::kFloat32: layout.bits = 32, layout.isFloat = true; break;
    default: layout.bits = 64, layout.isFloat = true; break;
  }
  return layout;
}
