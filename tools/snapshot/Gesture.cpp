#include "tools/snapshot/Gesture.h"

#include <cstdlib>
#include <vector>

#include "vst3/OffscreenEditor.h"

namespace {

struct Form {
  const char* option;
  Gesture::Kind kind;
  size_t numbers;
  const char* shape;
};

const Form kForms[] = {
    {"--click", Gesture::kClick, 2, "X,Y"},
    {"--rclick", Gesture::kRightClick, 2, "X,Y"},
    {"--drag", Gesture::kDrag, 4, "X,Y,DX,DY"},
    {"--wheel", Gesture::kWheel, 3, "X,Y,N"},
};

const Form* FormOf(const std::string& option) {
  for (const Form& f : kForms)
    if (option == f.option) return &f;
  return nullptr;
}

// Whole numbers separated by commas; false on anything else.
bool ParseNumbers(const std::string& text, std::vector<int32_t>* out) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    char* end = nullptr;
    const long v = std::strtol(part.c_str(), &end, 10);
    if (part.empty() || *end != '\0' || v < -100000 || v > 100000) return false;
    out->push_back(static_cast<int32_t>(v));
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
  return false;
}

// Drags move in steps of a few pixels, as a real pointer reports them.
constexpr int32_t kDragSteps = 8;

}  // namespace

bool Gesture::IsOption(const std::string& option) { return FormOf(option) != nullptr; }

bool Gesture::Parse(const std::string& option, const std::string& value, Gesture* out, std::string* error) {
  const Form* form = FormOf(option);
  std::vector<int32_t> n;
  if (!form || !ParseNumbers(value, &n) || n.size() != form->numbers) {
    *error = option + " needs " + (form ? form->shape : "numbers") + ", not '" + value + "'";
    return false;
  }
  Gesture g;
  g.kind = form->kind;
  g.x = n[0];
  g.y = n[1];
  if (g.kind == kDrag) {
    g.dx = n[2];
    g.dy = n[3];
  } else if (g.kind == kWheel) {
    g.notches = n[2];
  }
  *out = g;
  return true;
}

void Gesture::Replay(IOffscreenEditor* editor) const {
  const int32_t buttons = kind == kRightClick ? IOffscreenEditor::kButtonRight : IOffscreenEditor::kButtonLeft;
  switch (kind) {
    case kClick:
    case kRightClick:
      editor->pointer(IOffscreenEditor::kPointerDown, x, y, buttons, 0);
      editor->pointer(IOffscreenEditor::kPointerUp, x, y, buttons, 0);
      break;
    case kDrag:
      editor->pointer(IOffscreenEditor::kPointerDown, x, y, buttons, 0);
      for (int32_t i = 1; i <= kDragSteps; ++i)
        editor->pointer(IOffscreenEditor::kPointerDrag, x + dx * i / kDragSteps, y + dy * i / kDragSteps, buttons, 0);
      editor->pointer(IOffscreenEditor::kPointerUp, x + dx, y + dy, buttons, 0);
      break;
    case kWheel:
      editor->pointer(IOffscreenEditor::kPointerWheel, x, y, 0, notches);
      break;
  }
  editor->tick();
}
