// Picture strips from the resources (the main window's image lists, the
// message-dialog pictures): 32-bit bitmaps with an alpha channel, drawn
// blended over whatever lies below.
#pragma once

#include <windows.h>

#include "ui/gdi.h"

namespace app {

class PictureStrip {
public:
    // Loads the bitmap resource `name`, cut into square pictures of its height.
    bool Load(const char* name);
    int Count() const { return size_ ? width_ / size_ : 0; }
    int Size() const { return size_; }
    // Draws picture `index` with its top-left corner at (x, y), `size` pixels
    // square (0: its own size).
    void Draw(HDC dc, int index, int x, int y, int size = 0) const;

private:
    Bitmap bitmap_;
    int width_ = 0, size_ = 0;
};

}  // namespace app
