#pragma once

#include "Font.h"
#include "Image.h"
#include "Png.h"
#include "Sheet.h"

#include <string>
#include <vector>

// The spacing the fonts are drawn with; data/strings.txt must hold the same values in its
// Kerning keys, since the glyph cells already carry the one-pixel shadow column.
constexpr int kMainFontSpacing = 0;
constexpr int kSmallFontSpacing = 0;

struct ImageFile {
    std::string name;
    Image image;
};
struct SheetFile {
    std::string name;
    Sheet sheet;
};
// A desktop icon; its name includes the icons/ folder.
struct IconFile {
    std::string name;
    RgbaImage image;
};
struct SoundFile {
    std::string name;
    std::vector<float> samples;
};

// Every generated file under data/, by file name.
struct DataSet {
    std::vector<ImageFile> images;
    std::vector<SheetFile> sheets;
    std::vector<SoundFile> sounds;
    std::vector<IconFile> icons;
};

DataSet makeDataSet();

PixelFont makeMainFont();
PixelFont makeMainRedFont();
PixelFont makeSmallFont();
PixelFont makeSmallRedFont();

// A grey board showing every image and every row of every sheet, labelled.
Image makeContactSheet(const DataSet& data);
// A frame of play composed from the art, as the game would draw it.
Image makeMockFrame(const DataSet& data);
