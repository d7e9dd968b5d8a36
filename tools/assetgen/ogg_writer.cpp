#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace kb::assetgen {
namespace {

void Append(std::vector<uint8_t>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<uint8_t> EncodeOggVorbis(const StereoBuffer& music, float quality,
                                     const std::string& title, const std::string& artist) {
  std::vector<uint8_t> out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 2, music.sampleRate, quality) != 0) {
    vorbis_info_clear(&info);
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "TITLE", title.c_str());
  vorbis_comment_add_tag(&comment, "ARTIST", artist.c_str());

  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 0x4B4C3033);  // fixed serial: deterministic files

  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &headerComment);
  ogg_stream_packetin(&stream, &headerCode);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) Append(out, page);

  const std::size_t total = std::min(music.left.size(), music.right.size());
  constexpr std::size_t kChunk = 4096;
  std::size_t done = 0;
  bool finished = false;
  while (!finished) {
    const std::size_t count = std::min(kChunk, total - done);
    if (count == 0) {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    } else {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
      std::copy_n(music.left.begin() + static_cast<long>(done), count, buffer[0]);
      std::copy_n(music.right.begin() + static_cast<long>(done), count, buffer[1]);
      vorbis_analysis_wrote(&dsp, static_cast<int>(count));
      done += count;
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) {
          Append(out, page);
          if (ogg_page_eos(&page) != 0) finished = true;
        }
      }
    }
    if (count == 0) finished = true;
  }
  while (ogg_stream_flush(&stream, &page) != 0) Append(out, page);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

}  // namespace kb::assetgen
