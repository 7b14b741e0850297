#include "replay/ReplayFile.h"

#include "app/InputFile.h"
#include "app/Numbers.h"
#include "app/Options.h"

#include <zlib.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

constexpr long long kMaxFrames = kMaxReplayFrames;
constexpr std::int64_t kMaxStepMicros = 3600LL * 1000000; // an hour-long stall
constexpr int kMaxKeysPerFrame = kMaxReplayKeysPerFrame;
constexpr long long kMaxKeys = kMaxReplayKeys;
constexpr int kMaxLine = 4096;
constexpr long long kMaxScale = 64;

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

} // namespace

std::int64_t stepToMicros(double step) {
    if (!(step > 0.0))
        return 0;
    if (step > static_cast<double>(kMaxStepMicros) / 1e6)
        return kMaxStepMicros;
    return static_cast<std::int64_t>(std::llround(step * 1e6));
}

double microsToStep(std::int64_t micros) {
    return static_cast<double>(micros) / 1e6;
}

ReplayWriter::~ReplayWriter() {
    if (file)
        gzclose(static_cast<gzFile>(file));
}

bool ReplayWriter::open(const std::string& path, const ReplayHeader& header) {
    file = gzopen(path.c_str(), "wb9");
    if (!file)
        return false;
    gzprintf(static_cast<gzFile>(file),
             "groundline-replay %d\nversion %s\nseed %u\ndata %s\nwave %d\nscale %d\n",
             kReplayFormat, header.version.c_str(), header.seed, header.dataDigest.c_str(),
             header.firstWave, header.scale);
    // Normal games keep the header they always had.
    if (header.difficulty != Difficulty::Normal)
        gzprintf(static_cast<gzFile>(file), "difficulty %s\n", difficultyName(header.difficulty));
    return true;
}

bool ReplayWriter::frame(const ReplayFrame& frame) {
    if (!file || frames >= kMaxFrames)
        return false;
    if (havePending && frame.keys.empty() && pending.keys.empty() && frame.sameInputAs(pending)) {
        ++frames;
        ++pending.repeat;
        return true;
    }
    const long long frameKeys = static_cast<long long>(frame.keys.size());
    if (frameKeys > kMaxKeysPerFrame || !hasRoomFor(1, frameKeys))
        return false;
    flushRun();
    ++frames;
    ++runs;
    keys += frameKeys;
    pending = frame;
    pending.repeat = 1;
    havePending = true;
    return true;
}

bool ReplayWriter::hasRoomFor(long long lines, long long moreKeys) const {
    return runs + lines <= static_cast<long long>(kMaxReplayRuns) && keys + moreKeys <= kMaxKeys &&
           frames + lines <= kMaxFrames;
}

void ReplayWriter::flushRun() {
    if (!havePending)
        return;
    gzFile f = static_cast<gzFile>(file);
    gzprintf(f, "%lld %d %d %d", static_cast<long long>(pending.stepMicros), pending.mouse.x,
             pending.mouse.y, pending.mouse.buttons);
    for (int key : pending.keys)
        gzprintf(f, " %d", key);
    gzputc(f, '\n');
    if (pending.repeat > 1)
        gzprintf(f, "* %lld\n", pending.repeat - 1);
    havePending = false;
}

bool ReplayWriter::close(const std::string& finalDigest) {
    if (!file)
        return false;
    flushRun();
    gzFile f = static_cast<gzFile>(file);
    const bool written = gzprintf(f, "end %lld %s\n", frames, finalDigest.c_str()) > 0;
    file = nullptr;
    return gzclose(f) == Z_OK && written;
}

namespace {

// Reads a replay line by line, as gzgets hands the lines over: at most the buffer's size less
// one byte, up to and including a newline, zero-terminated.
class ReplayParser {
  public:
    ReplayParser(Replay& replay, std::string& error) : replay(replay), error(error) {
        replay = Replay();
    }

    // False when the line makes the replay unreadable; error then says why.
    bool line(const char* buffer, std::size_t capacity);
    // After the last line: false when the replay is cut short.
    bool finish();

  private:
    // One line of each kind, split into words.
    bool headerLine(const std::vector<std::string>& w);
    bool endLine(const std::vector<std::string>& w);
    bool repeatLine(const std::vector<std::string>& w);
    bool frameLine(const std::vector<std::string>& w);

    bool fail(const std::string& why) {
        error = "line " + std::to_string(lineNumber) + ": " + why;
        return false;
    }

    static constexpr int kHeaderLines = 6;
    Replay& replay;
    std::string& error;
    long long lineNumber = 0;
    long long frames = 0;
    long long keys = 0;
    bool ended = false;
};

bool ReplayParser::line(const char* buffer, std::size_t capacity) {
    ++lineNumber;
    const std::size_t length = std::strlen(buffer);
    if (length + 1 == capacity && buffer[length - 1] != '\n')
        return fail("line too long");
    const std::vector<std::string> w = words(buffer);
    if (ended)
        return fail("text after the end line");
    if (lineNumber <= kHeaderLines)
        return headerLine(w);
    if (w.empty())
        return fail("empty line");
    if (w[0] == "difficulty") {
        if (frames > 0 || w.size() != 2 || !difficultyNamed(w[1], replay.header.difficulty))
            return fail("bad difficulty");
        return true;
    }
    if (w[0] == "end")
        return endLine(w);
    if (w[0] == "*")
        return repeatLine(w);
    return frameLine(w);
}

bool ReplayParser::headerLine(const std::vector<std::string>& w) {
    static const char* const header[kHeaderLines] = {
        "groundline-replay", "version", "seed", "data", "wave", "scale"};
    const std::string key = header[lineNumber - 1];
    if (w.size() != 2 || w[0] != key)
        return lineNumber == 1 ? fail("not a Groundline replay")
                               : fail("expected \"" + key + " ...\"");
    long long n = 0;
    if (key == "groundline-replay" &&
        (!parseWholeNumber(w[1], 0, INT_MAX, n) || n != kReplayFormat))
        return fail("replay format " + w[1] + ", this game reads format " +
                    std::to_string(kReplayFormat));
    if (key == "version")
        replay.header.version = w[1];
    if (key == "seed") {
        if (!parseWholeNumber(w[1], 0, UINT_MAX, n))
            return fail("bad seed");
        replay.header.seed = static_cast<unsigned>(n);
    }
    if (key == "data")
        replay.header.dataDigest = w[1];
    if (key == "wave") {
        // The game's own --wave limit: a recording can only start where a game can.
        if (!parseWholeNumber(w[1], 1, kMaxFirstWave, n))
            return fail("bad first wave");
        replay.header.firstWave = static_cast<int>(n);
    }
    if (key == "scale") {
        if (!parseWholeNumber(w[1], 1, kMaxScale, n))
            return fail("bad scale");
        replay.header.scale = static_cast<int>(n);
    }
    return true;
}

bool ReplayParser::endLine(const std::vector<std::string>& w) {
    long long stated = 0;
    if (w.size() != 3 || !parseWholeNumber(w[1], 0, kMaxFrames, stated) || stated != frames)
        return fail("the end line does not match the frames read");
    replay.frameCount = frames;
    replay.finalDigest = w[2];
    ended = true;
    return true;
}

bool ReplayParser::repeatLine(const std::vector<std::string>& w) {
    long long more = 0;
    if (w.size() != 2 || replay.frames.empty() || !replay.frames.back().keys.empty() ||
        !parseWholeNumber(w[1], 1, kMaxFrames - frames, more))
        return fail("bad repeat");
    replay.frames.back().repeat += more;
    frames += more;
    return true;
}

bool ReplayParser::frameLine(const std::vector<std::string>& w) {
    if (w.size() < 4 || w.size() > 4 + kMaxKeysPerFrame)
        return fail("bad frame");
    ReplayFrame frame;
    long long step, x, y, b;
    if (!parseWholeNumber(w[0], 0, kMaxStepMicros, step) ||
        !parseWholeNumber(w[1], INT_MIN, INT_MAX, x) ||
        !parseWholeNumber(w[2], INT_MIN, INT_MAX, y) ||
        !parseWholeNumber(w[3], INT_MIN, INT_MAX, b))
        return fail("bad frame");
    frame.stepMicros = step;
    frame.mouse.x = static_cast<int>(x);
    frame.mouse.y = static_cast<int>(y);
    frame.mouse.buttons = static_cast<int>(b);
    for (std::size_t i = 4; i < w.size(); ++i) {
        long long key;
        if (!parseWholeNumber(w[i], INT_MIN, INT_MAX, key))
            return fail("bad key");
        frame.keys.push_back(static_cast<int>(key));
    }
    if (++frames > kMaxFrames)
        return fail("too many frames");
    keys += static_cast<long long>(frame.keys.size());
    if (replay.frames.size() >= kMaxReplayRuns || keys > kMaxKeys)
        return fail("more changes of input than a replay may hold");
    replay.frames.push_back(frame);
    return true;
}

bool ReplayParser::finish() {
    if (lineNumber < kHeaderLines) {
        error = lineNumber == 0 ? "the file is empty" : "the header is cut short";
        return false;
    }
    if (!ended) {
        error = "it has no end line (the recording was cut short)";
        return false;
    }
    return true;
}

} // namespace

bool readReplay(const std::string& path, Replay& replay, std::string& error) {
    ReplayParser parser(replay, error);
    std::string why;
    gzFile f = gzopenRegular(path, &why);
    if (!f) {
        error = "cannot open it (" + why + ")";
        return false;
    }
    struct Closer {
        gzFile f;
        ~Closer() { gzclose(f); }
    } closer{f};

    char buffer[kMaxLine];
    while (gzgets(f, buffer, sizeof buffer))
        if (!parser.line(buffer, sizeof buffer))
            return false;
    int gzError = Z_OK;
    gzerror(f, &gzError);
    if (gzError != Z_OK && gzError != Z_STREAM_END) {
        error = "the file is damaged";
        return false;
    }
    return parser.finish();
}

bool readReplayText(const char* text, std::size_t size, Replay& replay, std::string& error) {
    ReplayParser parser(replay, error);
    char buffer[kMaxLine];
    std::size_t pos = 0;
    while (pos < size) {
        std::size_t n = 0;
        while (n + 1 < sizeof buffer && pos < size) {
            const char c = text[pos++];
            buffer[n++] = c;
            if (c == '\n')
                break;
        }
        buffer[n] = '\0';
        if (!parser.line(buffer, sizeof buffer))
            return false;
    }
    return parser.finish();
}
