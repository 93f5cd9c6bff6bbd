#include "platform/sim/drawing/cairo_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

namespace lumetta::sim {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads exactly `size` bytes; false at the end of the file or on an error.
bool readFully(int fd, unsigned char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t got = read(fd, data, size);
    if (got <= 0) return false;
    data += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

std::uint32_t bigEndian(const unsigned char* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

// The signature and the image header chunk that every PNG file opens with;
// whether they are there and give a size within the limit.
bool hasAcceptablePngHeader(int fd) {
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::array<unsigned char, 24> header{};
  if (!readFully(fd, header.data(), header.size())) return false;
  if (std::memcmp(header.data(), kSignature, sizeof kSignature) != 0) return false;
  if (std::memcmp(header.data() + 12, "IHDR", 4) != 0) return false;
  const std::uint32_t width = bigEndian(header.data() + 16);
  const std::uint32_t height = bigEndian(header.data() + 20);
  return width >= 1 && height >= 1 && width <= kLargestImageEdge && height <= kLargestImageEdge;
}

cairo_status_t readFromFile(void* closure, unsigned char* data, unsigned int length) {
  return readFully(*static_cast<int*>(closure), data, length) ? CAIRO_STATUS_SUCCESS
                                                              : CAIRO_STATUS_READ_ERROR;
}

}  // namespace

CairoImage::CairoImage(cairo_surface_t* surface, double pixelsPerPoint)
    : surface_(surface), pixelsPerPoint_(pixelsPerPoint > 0 ? pixelsPerPoint : 1) {}

CairoImage::~CairoImage() { cairo_surface_destroy(surface_); }

Size CairoImage::size() const {
  return {cairo_image_surface_get_width(surface_) / pixelsPerPoint_,
          cairo_image_surface_get_height(surface_) / pixelsPerPoint_};
}

std::optional<PlatformImage> loadPngImage(const std::string& path) {
  // Without blocking, so that a FIFO is refused rather than waited on.
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat status {};
  if (file.get() < 0 || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return std::nullopt;
  }
  if (!hasAcceptablePngHeader(file.get()) || lseek(file.get(), 0, SEEK_SET) != 0) {
    return std::nullopt;
  }
  int fd = file.get();
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readFromFile, &fd);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return std::nullopt;
  }
  return PlatformImage(std::make_shared<CairoImage>(surface));
}

}  // namespace lumetta::sim
