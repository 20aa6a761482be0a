// BuildMediaTag: the image, video or background-sound tag the media dialog inserts.
#pragma once

#include <string>

namespace insert {

// The dialog's kind, taken from the Tag of the palette button that opened it.
enum TMediaKind { MediaImage = 1, MediaVideo = 2, MediaSound = 3 };

// What the user chose in the media dialog. A size or border part takes part in the tag
// only when its box is checked.
struct TMediaChoice {
  int Tag = 0;
  std::string File;
  bool Border = false;
  int BorderValue = 1;
  bool Height = false;
  int HeightValue = 100;
  bool Width = false;
  int WidthValue = 100;
};

// The tag for the choice, without a leading blank; the border, height and width parts
// always come in that order. An unknown Tag gives an empty text (nothing to insert).
// The file name goes in as it stands: it is neither checked nor escaped.
std::string BuildMediaTag(const TMediaChoice& choice);

}  // namespace insert
