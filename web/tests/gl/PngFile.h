#pragma once
// Writes what a conformance case drew as a PNG file, so a reference picture
// can be looked at as easily as it can be compared.

#include <string>
#include <vector>

// rgba: width x height pixels, bottom row first as glReadPixels returns them.
// The file holds the red, green and blue channels, top row first. Throws
// std::runtime_error when the file cannot be written.
void writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba);
