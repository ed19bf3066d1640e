#pragma once
// A picture held by a picture box, an image or a drawing: its encoded bytes, where it came
// from and its size in pixels.

#include <optional>
#include <string>
#include <string_view>

namespace kv::ui {

struct Picture {
    std::string source; // file path or "resource:<type>/<name>", for records and reports
    std::string bytes;  // the encoded image (BMP, GIF, PNG or JPEG)
    int width = 0;      // pixels
    int height = 0;
    bool empty() const { return bytes.empty(); }
    bool operator==(const Picture&) const = default;
};

// Reads the size of an encoded BMP, GIF, PNG or JPEG image; nullopt when the bytes are none
// of these (a load error for the caller).
std::optional<Picture> decodePicture(std::string_view bytes, std::string source);

} // namespace kv::ui
