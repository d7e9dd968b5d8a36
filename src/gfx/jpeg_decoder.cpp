#include "gfx/jpeg_decoder.h"

#include <bit>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <utility>

#include <jerror.h>
#include <jpeglib.h>

#include "gfx/image_decoder.h"

namespace kb {
namespace {

static_assert(JCS_ALPHA_EXTENSIONS, "needs libjpeg-turbo's extended colour spaces");

constexpr char kFormat[] = "JPEG";
// Real files have about ten scans; thousands of tiny ones only cost time.
constexpr int kMaxScans = 100;
// Progressive files keep all coefficients in memory; more than this is refused.
constexpr long kMaxLibraryMemory = 64L * 1024 * 1024;

// Everything the error handlers touch lives here, outside the frame that calls
// setjmp, so nothing is left indeterminate after a jump.
struct JpegContext {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};
  char message[JMSG_LENGTH_MAX] = {};
  bool truncated = false;
  Image image;
};

JpegContext& ContextOf(j_common_ptr common) {
  return *static_cast<JpegContext*>(common->client_data);
}

[[noreturn]] void OnError(j_common_ptr common) {
  JpegContext& context = ContextOf(common);
  (*common->err->format_message)(common, context.message);
  std::longjmp(context.jump, 1);
}

// Level -1 is a warning: corrupt data the library would paper over.
void OnMessage(j_common_ptr common, int level) {
  if (level >= 0) return;
  if (common->err->msg_code == JWRN_JPEG_EOF) ContextOf(common).truncated = true;
  OnError(common);
}

void OnProgress(j_common_ptr common) {
  const auto* info = reinterpret_cast<j_decompress_ptr>(common);
  if (info->input_scan_number > kMaxScans) {
    JpegContext& context = ContextOf(common);
    std::snprintf(context.message, sizeof context.message, "more than %d scans", kMaxScans);
    std::longjmp(context.jump, 1);
  }
}

bool HasSupportedColours(const jpeg_decompress_struct& info) {
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
      return info.num_components == 1;
    case JCS_YCbCr:
    case JCS_RGB:
      return info.num_components == 3;
    default:
      return false;
  }
}

enum class Outcome { kDone, kLibraryError, kCmyk, kColours, kSize };

// The only function with setjmp; it keeps no state of its own, so a jump
// back here leaves nothing undefined. Libjpeg writes the rows straight into
// the picture as bytes B, G, R, A, which on a little-endian machine is ARGB.
Outcome Decode(JpegContext& c, std::span<const uint8_t> bytes, std::string* error) {
  if (setjmp(c.jump) != 0) return Outcome::kLibraryError;
  jpeg_create_decompress(&c.info);
  c.info.mem->max_memory_to_use = kMaxLibraryMemory;
  c.info.progress = &c.progress;
  jpeg_mem_src(&c.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&c.info, TRUE);
  if (c.info.jpeg_color_space == JCS_CMYK || c.info.jpeg_color_space == JCS_YCCK) {
    return Outcome::kCmyk;
  }
  if (!HasSupportedColours(c.info)) return Outcome::kColours;
  if (!CheckImageSize(c.info.image_width, c.info.image_height, kFormat, error)) {
    return Outcome::kSize;
  }
  c.info.out_color_space = std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
  jpeg_start_decompress(&c.info);
  if (c.info.output_width != c.info.image_width || c.info.output_height != c.info.image_height ||
      c.info.output_components != 4) {
    return Outcome::kColours;
  }
  const std::size_t width = c.info.output_width;
  c.image.width = static_cast<int>(width);
  c.image.height = static_cast<int>(c.info.output_height);
  // Rows are added as they arrive, so a file that breaks off early costs only
  // the rows it really had.
  c.image.pixels.reserve(width * c.info.output_height);
  while (c.info.output_scanline < c.info.output_height) {
    const std::size_t y = c.info.output_scanline;
    c.image.pixels.resize((y + 1) * width);
    JSAMPROW row = reinterpret_cast<JSAMPROW>(&c.image.pixels[y * width]);
    if (jpeg_read_scanlines(&c.info, &row, 1) != 1) return Outcome::kLibraryError;
  }
  jpeg_finish_decompress(&c.info);
  return Outcome::kDone;
}

}  // namespace

std::optional<Image> DecodeJpeg(std::span<const uint8_t> bytes, std::string* error) {
  if (bytes.empty()) return DecodeFailure(error, kFormat, "Datei ist leer");
  JpegContext context;
  context.info.err = jpeg_std_error(&context.errors);
  context.errors.error_exit = OnError;
  context.errors.emit_message = OnMessage;
  context.errors.output_message = [](j_common_ptr) {};
  context.progress.progress_monitor = OnProgress;
  context.info.client_data = &context;
  const Outcome outcome = Decode(context, bytes, error);
  jpeg_destroy_decompress(&context.info);
  switch (outcome) {
    case Outcome::kDone:
      return std::move(context.image);
    case Outcome::kCmyk:
      return DecodeFailure(error, kFormat, "CMYK-Bilder werden nicht geladen");
    case Outcome::kColours:
      return DecodeFailure(error, kFormat, "unbekannter Farbraum");
    case Outcome::kSize:
      return std::nullopt;
    case Outcome::kLibraryError:
      break;
  }
  return LibraryFailure(error, kFormat, context.truncated, context.message);
}

}  // namespace kb
