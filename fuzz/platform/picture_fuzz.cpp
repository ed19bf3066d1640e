// Pictures (the banner and the pages the service sends, the pictures of files): any bytes
// are sized or refused without a crash, the same way twice; a picture sized has a positive
// width and height and keeps its bytes and its source.
//
// Input: the encoded bytes.

#include "fuzz/driver/fuzz_support.h"
#include "platform/ui/picture.h"

namespace {

using kv::fuzz::check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = kv::fuzz::asText(data, size);
    const std::optional<kv::ui::Picture> picture = kv::ui::decodePicture(bytes, "C:\\x.bmp");
    check(kv::ui::decodePicture(bytes, "C:\\x.bmp") == picture, "bytes are sized the same twice");
    if (!picture) return 0;
    check(picture->width > 0 && picture->height > 0, "a picture has a positive size");
    check(picture->bytes == bytes && picture->source == "C:\\x.bmp",
          "a picture keeps its bytes and source");
    return 0;
}
