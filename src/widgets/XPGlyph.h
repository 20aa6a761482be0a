// The speed buttons' glyph images: one image list per glyph size, shared by every button
// through one process-wide cache, and each button's glyph with its per-state images.
#pragma once

#include <QColor>
#include <QImage>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

// The states a speed button paints its glyph in.
enum class TXPButtonState { bsUp = 0, bsDisabled = 1, bsDown = 2, bsExclusive = 3 };

// Images of one size. A new image takes the lowest free slot; a released one frees its slot.
class TXPGlyphL {
 public:
  TXPGlyphL(int width, int height) : width_(width), height_(height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The number of live images.
  int Count() const { return count_; }

  int Add(const QImage& image);
  void Delete(int index);
  // Draws the image at (x, y); disabled images are drawn greyed and embossed.
  void Draw(QPainter& painter, int index, int x, int y, bool enabled) const;

 private:
  int width_;
  int height_;
  int count_ = 0;
  std::vector<bool> used_;
  std::vector<QImage> images_;
};

// The process's image lists: made by the first glyph, gone with the last. A list is freed
// as soon as it holds no image.
class TXPGlyphC {
 public:
  // The list of that size, newest first, made when there is none.
  TXPGlyphL& ListFor(int width, int height);
  // Frees the list when it has no image left.
  void Release(TXPGlyphL& list);
  int ListCount() const { return static_cast<int>(lists_.size()); }

  // The live cache, or null while no glyph exists.
  static TXPGlyphC* Instance() { return instance_; }
  static void AddUser();
  static void RemoveUser();

 private:
  std::vector<std::unique_ptr<TXPGlyphL>> lists_;
  static inline TXPGlyphC* instance_ = nullptr;
  static inline int users_ = 0;
};

// One speed button's glyph: a strip of NumGlyphs equal images side by side. The image for
// each button state is made on first use from the strip's first image.
class TXPBGlyph {
 public:
  // Called after the bitmap or the number of images changed, so the owner repaints.
  explicit TXPBGlyph(std::function<void()> changed = {});
  ~TXPBGlyph();
  TXPBGlyph(const TXPBGlyph&) = delete;
  TXPBGlyph& operator=(const TXPBGlyph&) = delete;

  // A strip whose width is a whole multiple of its height below 5 holds that many images.
  // Without an alpha channel the bottom-left pixel's colour is the transparent one.
  void SetBitmap(const QImage& bitmap);
  const QImage& Bitmap() const { return bitmap_; }
  void SetNumGlyphs(int count);
  int NumGlyphs() const { return numGlyphs_; }
  QColor TransparentColor() const { return transparent_; }
  // One image's size; 0 x 0 without a bitmap.
  QSize GlyphSize() const;

  // Frees the cached state images (the system colours changed).
  void ReleaseImages();
  // The slot of the image for the state in its list, made on first use; -1 without bitmap.
  int ImageIndex(TXPButtonState state);
  void Draw(QPainter& painter, int x, int y, TXPButtonState state);

 private:
  QImage MakeImage() const;

  std::function<void()> changed_;
  QImage bitmap_;
  int numGlyphs_ = 1;
  QColor transparent_;
  // The bitmap has no alpha channel: its transparent colour masks it.
  bool masked_ = false;
  std::array<int, 4> indices_{-1, -1, -1, -1};
  TXPGlyphL* list_ = nullptr;
};
