#include "shell/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "shell/ico_directory.h"

namespace nib {
namespace {

// Pictures and cursors of the toy are a few kilobytes; anything this large
// is not one of them and is not worth the memory.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

std::optional<QByteArray> ReadSmallFile(const std::string& absolute_path) {
  const QString path = QString::fromStdString(absolute_path);
  if (!QFileInfo(path).isFile()) return std::nullopt;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) return std::nullopt;
  // Reading up to the file's own size: a read of the whole limit would
  // allocate and clear the limit for every little picture.
  QByteArray bytes = file.read(file.size() + 1);
  if (bytes.isEmpty() || bytes.size() > kMaxFileBytes) return std::nullopt;
  return bytes;
}

// QPixmap and QCursor abort the program without a QGuiApplication.
bool CanMakePixmaps() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  return app != nullptr && QThread::currentThread() == app->thread();
}

std::string_view AsView(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// Qt's ico reader trusts the directory; only the entries the directory
// check kept are handed to it.
struct DecodedIcon {
  IconEntry entry;
  QImage image;
};

std::vector<DecodedIcon> DecodeIcons(const QByteArray& bytes, const IconDirectory& dir) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  std::vector<DecodedIcon> out;
  for (const IconEntry& entry : dir.entries) {
    if (!reader.jumpToImage(entry.index)) continue;
    QImage image;
    if (reader.read(&image) && !image.isNull()) out.push_back({entry, image});
  }
  return out;
}

qint64 Area(const QImage& image) { return qint64{image.width()} * image.height(); }

std::shared_ptr<QtPicture> MakePicture(const QImage& main_image) {
  auto picture = std::make_shared<QtPicture>();
  picture->pixmap = QPixmap::fromImage(main_image);
  if (picture->pixmap.isNull()) return nullptr;
  picture->width_px = main_image.width();
  picture->height_px = main_image.height();
  return picture;
}

}  // namespace

Picture LoadPictureFile(const std::string& absolute_path) {
  if (!CanMakePixmaps()) return nullptr;
  const auto bytes = ReadSmallFile(absolute_path);
  if (!bytes) return nullptr;

  // ICO has no magic number: its directory decides, whatever the name says.
  if (const auto dir = ParseIconDirectory(AsView(*bytes))) {
    const std::vector<DecodedIcon> icons = DecodeIcons(*bytes, *dir);
    if (icons.empty()) return nullptr;
    const auto largest = std::max_element(
        icons.begin(), icons.end(),
        [](const DecodedIcon& a, const DecodedIcon& b) { return Area(a.image) < Area(b.image); });
    auto picture = MakePicture(largest->image);
    if (!picture) return nullptr;
    for (const DecodedIcon& icon : icons) picture->icon.addPixmap(QPixmap::fromImage(icon.image));
    return picture;
  }

  QByteArray copy = *bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  QImage image;
  if (!reader.read(&image) || image.isNull()) return nullptr;
  auto picture = MakePicture(image);
  if (!picture) return nullptr;
  picture->icon = QIcon(picture->pixmap);
  return picture;
}

Cursor LoadCursorFile(const std::string& absolute_path) {
  if (!CanMakePixmaps()) return nullptr;
  const auto bytes = ReadSmallFile(absolute_path);
  if (!bytes) return nullptr;
  const auto dir = ParseIconDirectory(AsView(*bytes));
  if (!dir) return nullptr;
  const std::vector<DecodedIcon> icons = DecodeIcons(*bytes, *dir);
  if (icons.empty()) return nullptr;

  // Windows shows cursors at 32 pixels: take the entry nearest that size,
  // the larger one on a tie.
  auto distance = [](const QImage& image) { return std::abs(std::max(image.width(), image.height()) - 32); };
  const DecodedIcon* chosen = &icons.front();
  for (const DecodedIcon& icon : icons) {
    const int d = distance(icon.image), best = distance(chosen->image);
    if (d < best || (d == best && Area(icon.image) > Area(chosen->image))) chosen = &icon;
  }

  const QImage& image = chosen->image;
  int hot_x = chosen->entry.hot_x;
  int hot_y = chosen->entry.hot_y;
  if (dir->type == 1) {
    // An icon used as a cursor points with its centre.
    hot_x = image.width() / 2;
    hot_y = image.height() / 2;
  }
  hot_x = std::clamp(hot_x, 0, image.width() - 1);
  hot_y = std::clamp(hot_y, 0, image.height() - 1);

  const QPixmap pixmap = QPixmap::fromImage(image);
  if (pixmap.isNull()) return nullptr;
  auto cursor = std::make_shared<QtCursor>();
  cursor->cursor = QCursor(pixmap, hot_x, hot_y);
  return cursor;
}

}  // namespace nib
