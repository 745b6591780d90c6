// picture_file.h: the pictures rtd writes into files: PNG when the name ends in ".png" (in
// any letter case), BMP otherwise, from the rows of RGB bytes that OpenGL reads back; the
// name offered for saving; and the test that keeps a picture from overwriting the file it
// shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class PictureFormat { png, bmp };

PictureFormat pictureFormatFor(const std::string& name);

// The file's bytes for a picture of rows of RGB bytes, the bottom row first (as
// glReadPixels gives them); empty when the size and the pixels do not agree.
std::vector<uint8_t> encodePicture(PictureFormat format, int width, int height, const std::vector<uint8_t>& rgbBottomUp);

// Writes the picture in the format its name asks for. False when it could not be written
// whole; a file begun is then removed again.
bool writePictureFile(const std::string& name, int width, int height, const std::vector<uint8_t>& rgbBottomUp);

// The picture file name offered for saving: the SLP name with ".png" instead of its
// extension.
std::string pictureNameFor(const std::string& slpName);

// Whether both names are one existing file, however they are spelt: another letter case
// where the file system ignores it, "./x", a link to it.
bool sameFile(const std::string& a, const std::string& b);
