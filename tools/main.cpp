// groundline_datagen: writes the game's images, sprite sheets, fonts and sounds, and the
// desktop icons under icons/.
//
//   groundline_datagen OUTPUT-DIR [--contact-sheet FILE.bmp] [--mock-frame FILE.bmp]
//
// The output is byte for byte the same on every run; data/ holds exactly what it writes plus the
// hand-written data/strings.txt.

#include "DataSet.h"
#include "DataWriter.h"
#include "Png.h"
#include "Sounds.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: groundline_datagen OUTPUT-DIR [--contact-sheet FILE.bmp] "
                         "[--mock-frame FILE.bmp]\n");
    return 2;
}

bool report(bool ok, const std::string& path) {
    if (!ok)
        std::fprintf(stderr, "groundline_datagen: cannot write %s\n", path.c_str());
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    std::string outDir, contactSheet, mockFrame;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc)
            contactSheet = argv[++i];
        else if (std::strcmp(argv[i], "--mock-frame") == 0 && i + 1 < argc)
            mockFrame = argv[++i];
        else if (argv[i][0] != '-' && outDir.empty())
            outDir = argv[i];
        else
            return usage();
    }
    if (outDir.empty())
        return usage();

    std::error_code ec;
    std::filesystem::create_directories(outDir + "/icons", ec);
    if (ec) {
        std::fprintf(stderr, "groundline_datagen: cannot create %s: %s\n", outDir.c_str(),
                     ec.message().c_str());
        return 1;
    }

    const DataSet data = makeDataSet();
    bool ok = true;
    for (const ImageFile& f : data.images)
        ok &= report(writeMz(outDir + "/" + f.name, f.image), f.name);
    for (const SheetFile& f : data.sheets)
        ok &= report(writeSz(outDir + "/" + f.name, f.sheet), f.name);
    for (const SoundFile& f : data.sounds)
        ok &= report(writeWav(outDir + "/" + f.name, f.samples, kSampleRate), f.name);
    for (const IconFile& f : data.icons)
        ok &= report(writePng(outDir + "/" + f.name, f.image), f.name);
    if (!contactSheet.empty())
        ok &= report(writeBmp(contactSheet, makeContactSheet(data)), contactSheet);
    if (!mockFrame.empty())
        ok &= report(writeBmp(mockFrame, makeMockFrame(data).scaled(2)), mockFrame);
    return ok ? 0 : 1;
}
