#pragma once

#include <functional>
#include <string>

namespace tremolux {

class Canvas;

// Paints one picture of width x height pixels onto the canvas it is given.
using PaintPicture = std::function<void(Canvas& canvas)>;

// Writes the picture as a PNG, whole or not at all. False after printing why
// it could not be written.
bool WritePicture(const std::string& path, int width, int height, const PaintPicture& paint);

// Prints the picture's drawing operations on standard output. False after
// printing why they could not be written.
bool WriteTrace(const PaintPicture& paint);

}  // namespace tremolux
