// The media dialog's tag builder.
#include "insert/MediaTag.h"

namespace insert {

namespace {

// key="N" followed by one blank, or nothing when the box is unchecked.
std::string ValuePart(bool checked, const char* key, int value) {
  if (!checked) return {};
  return std::string(key) + std::to_string(value) + "\" ";
}

}  // namespace

std::string BuildMediaTag(const TMediaChoice& choice) {
  const std::string sizes = ValuePart(choice.Border, "border=\"", choice.BorderValue) +
                            ValuePart(choice.Height, "height=\"", choice.HeightValue) +
                            ValuePart(choice.Width, "width=\"", choice.WidthValue);
  switch (choice.Tag) {
    case MediaImage: return "<img " + sizes + "src=\"" + choice.File + "\">";
    case MediaVideo: return "<img " + sizes + "dynsrc=\"" + choice.File + "\" src=\"\">";
    case MediaSound: return "<bgsound src=\"" + choice.File + "\">";
    default: return {};
  }
}

}  // namespace insert
