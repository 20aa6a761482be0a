// The glyph image lists and their cache.
#include "widgets/XPGlyph.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace {

// Before a bitmap tells its own, glyphs treat this colour as see-through.
const QColor kDefaultTransparent(0x80, 0x80, 0x00);

// A pixel counts as ink in the disabled rendering when it is opaque and not light.
bool IsInk(QRgb pixel) { return qAlpha(pixel) >= 128 && qGray(pixel) < 0xC0; }

// The disabled look: the glyph's ink in the shadow colour over a highlight copy one pixel
// down and to the right.
QImage Embossed(const QImage& image) {
  QImage result(image.size(), QImage::Format_ARGB32);
  result.fill(Qt::transparent);
  const QPalette palette = QApplication::palette();
  const QRgb highlight = palette.color(QPalette::Light).rgba();
  const QRgb shadow = palette.color(QPalette::Dark).rgba();
  for (int pass = 0; pass < 2; ++pass) {
    const int offset = pass == 0 ? 1 : 0;
    for (int y = 0; y + offset < image.height(); ++y) {
      for (int x = 0; x + offset < image.width(); ++x) {
        if (IsInk(image.pixel(x, y))) result.setPixel(x + offset, y + offset, pass == 0 ? highlight : shadow);
      }
    }
  }
  return result;
}

}  // namespace

// ---- TXPGlyphL ----

int TXPGlyphL::Add(const QImage& image) {
  const auto free = std::find(used_.begin(), used_.end(), false);
  const int index = static_cast<int>(free - used_.begin());
  if (free == used_.end()) {
    used_.push_back(true);
    images_.push_back(image);
  } else {
    *free = true;
    images_[static_cast<std::size_t>(index)] = image;
  }
  ++count_;
  return index;
}

void TXPGlyphL::Delete(int index) {
  if (index < 0 || index >= static_cast<int>(used_.size()) || !used_[static_cast<std::size_t>(index)]) return;
  used_[static_cast<std::size_t>(index)] = false;
  images_[static_cast<std::size_t>(index)] = QImage();
  --count_;
}

void TXPGlyphL::Draw(QPainter& painter, int index, int x, int y, bool enabled) const {
  if (index < 0 || index >= static_cast<int>(used_.size()) || !used_[static_cast<std::size_t>(index)]) return;
  const QImage& image = images_[static_cast<std::size_t>(index)];
  painter.drawImage(x, y, enabled ? image : Embossed(image));
}

// ---- TXPGlyphC ----

TXPGlyphL& TXPGlyphC::ListFor(int width, int height) {
  for (auto it = lists_.rbegin(); it != lists_.rend(); ++it) {
    if ((*it)->Width() == width && (*it)->Height() == height) return **it;
  }
  lists_.push_back(std::make_unique<TXPGlyphL>(width, height));
  return *lists_.back();
}

void TXPGlyphC::Release(TXPGlyphL& list) {
  if (list.Count() > 0) return;
  std::erase_if(lists_, [&list](const std::unique_ptr<TXPGlyphL>& each) { return each.get() == &list; });
}

void TXPGlyphC::AddUser() {
  if (users_++ == 0) instance_ = new TXPGlyphC;
}

void TXPGlyphC::RemoveUser() {
  if (--users_ == 0) {
    delete instance_;
    instance_ = nullptr;
  }
}

// ---- TXPBGlyph ----

TXPBGlyph::TXPBGlyph(std::function<void()> changed)
    : changed_(std::move(changed)), transparent_(kDefaultTransparent) {
  TXPGlyphC::AddUser();
}

TXPBGlyph::~TXPBGlyph() {
  ReleaseImages();
  TXPGlyphC::RemoveUser();
}

void TXPBGlyph::SetBitmap(const QImage& bitmap) {
  ReleaseImages();
  bitmap_ = bitmap.convertToFormat(QImage::Format_ARGB32);
  masked_ = !bitmap.hasAlphaChannel();
  if (!bitmap_.isNull() && masked_) transparent_ = bitmap_.pixelColor(0, bitmap_.height() - 1);
  numGlyphs_ = 1;
  const int width = bitmap_.width();
  const int height = bitmap_.height();
  if (height > 0 && width % height == 0 && width / height < 5) numGlyphs_ = std::max(width / height, 1);
  if (changed_) changed_();
}

void TXPBGlyph::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, 4);
  if (count == numGlyphs_) return;
  ReleaseImages();
  numGlyphs_ = count;
  if (changed_) changed_();
}

QSize TXPBGlyph::GlyphSize() const {
  if (bitmap_.isNull()) return {0, 0};
  return {bitmap_.width() / numGlyphs_, bitmap_.height()};
}

void TXPBGlyph::ReleaseImages() {
  if (list_ == nullptr) return;
  for (int& index : indices_) {
    if (index >= 0) list_->Delete(index);
    index = -1;
  }
  if (TXPGlyphC* cache = TXPGlyphC::Instance()) cache->Release(*list_);
  list_ = nullptr;
}

int TXPBGlyph::ImageIndex(TXPButtonState state) {
  if (bitmap_.isNull()) return -1;
  // Down shares the up image unless the strip has images for the later states.
  if (state == TXPButtonState::bsDown && numGlyphs_ < 3) state = TXPButtonState::bsUp;
  int& index = indices_[static_cast<std::size_t>(state)];
  if (index >= 0) return index;
  if (list_ == nullptr) {
    const QSize size = GlyphSize();
    list_ = &TXPGlyphC::Instance()->ListFor(size.width(), size.height());
  }
  index = list_->Add(MakeImage());
  return index;
}

void TXPBGlyph::Draw(QPainter& painter, int x, int y, TXPButtonState state) {
  const int index = ImageIndex(state);
  if (index >= 0) list_->Draw(painter, index, x, y, state != TXPButtonState::bsDisabled);
}

QImage TXPBGlyph::MakeImage() const {
  // Every state shows the strip's first image; see-through where the bitmap has no alpha
  // and a pixel has the transparent colour.
  const QSize size = GlyphSize();
  QImage image = bitmap_.copy(0, 0, size.width(), size.height());
  if (!masked_) return image;
  const QRgb transparent = transparent_.rgb();
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(line[x]) == 255 && (line[x] & 0xFFFFFF) == (transparent & 0xFFFFFF)) line[x] = 0;
    }
  }
  return image;
}
