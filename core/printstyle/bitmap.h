#pragma once
// A loaded picture ready to be drawn. Each canvas pairs with an image loader that makes
// bitmaps of its own kind (a QImage for the Qt canvas, the file's size for the recording
// canvas); the renderer only needs the pixel size.
#include <memory>
#include <string>

namespace velmora {

class Bitmap {
public:
    Bitmap(std::string source, int width, int height)
        : source_(std::move(source)), width_(width), height_(height) {}
    virtual ~Bitmap() = default;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    const std::string& Source() const { return source_; }  // the path it was loaded from
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    std::string source_;
    int width_;
    int height_;
};

class ImageLoader {
public:
    virtual ~ImageLoader() = default;
    // The picture at path when it is a bitmap (a ".bmp" file, or a JPEG decoded from its
    // start marker, see ImageKindOf and FindJpegStart); nullptr for a missing file, a
    // JPEG without a start marker, or any other kind of picture.
    virtual std::unique_ptr<Bitmap> Load(const std::string& path) = 0;
};

}  // namespace velmora
