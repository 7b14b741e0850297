#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Every tuning number and every text the player reads, as key=value lines from data/strings.txt.
// Values stay text and are converted where they are used, so a designer's edit never needs a
// rebuild and a missing key simply reads as empty or 0.
class StringTable {
  public:
    // The largest file load reads: a hundred times the shipped table. Anything larger is no
    // table of ours, and reading it whole would cost its size in memory.
    static constexpr std::size_t kMaxStringsBytes = std::size_t{1} << 20;

    // Reads the file; false when it is missing, is no regular file, cannot be read or is larger
    // than kMaxStringsBytes, with the reason in why when given. Later lines replace earlier ones.
    bool load(const std::string& path, std::string* why = nullptr);
    // Reads key=value lines from an open stream to its end, as load does from the file.
    void read(std::istream& in);

    // A missing key is inserted with the empty value, which is returned. Lookups take the key
    // as it is, without building a string: entities read their tuning as they are created,
    // hundreds of times a second in a busy wave.
    const std::string& get(std::string_view key);
    int getInt(std::string_view key);
    double getReal(std::string_view key);
    // The real held to [low, high], not a number reading as 0 (see clampReal): the guard for
    // tuning that no game could carry, kept here so the entities read their numbers plainly.
    double getReal(std::string_view key, double low, double high);

    // Convenience for the numbered keys ("Tower%d.Upgrade%d.Name").
    static std::string key(const char* format, int a, int b = 0, int c = 0);

    // Sets one entry, as a line "key=value" would (tests and tools tune values this way).
    void set(const std::string& key, const std::string& value) {
        entries[key] = Entry{value};
        restamp();
    }

    // Changes with every value set or read in, across every table of the process: two tables
    // with the same stamp hold the same values (one is a copy of the other). A reader may keep a
    // value for as long as the stamp stays (KeptReal).
    std::uint64_t stamp() const { return stampNow; }

    std::size_t size() const { return entries.size(); }
    // Every key held: those read from the file and those looked up without being there.
    std::vector<std::string> keys() const;
    bool contains(const std::string& key) const { return entries.count(key) != 0; }

  private:
    // A value read as a real is kept as one: the HUD and the towers read theirs every step, and
    // the conversion cost more than the rest of the lookup. Any new text for the key drops it.
    struct Entry {
        std::string text;
        double real = 0.0;
        bool realRead = false;
    };
    Entry& entry(std::string_view key);
    void restamp();
    std::uint64_t stampNow = 0;

    std::map<std::string, Entry, std::less<>> entries;
};

// A real the game reads every step, kept by its reader: looked up again only once the table
// changed, or when another table is asked.
class KeptReal {
  public:
    explicit KeptReal(std::string_view key) : key(key) {}
    double get(StringTable& strings) {
        if (!read || strings.stamp() != stamp) {
            value = strings.getReal(key);
            stamp = strings.stamp();
            read = true;
        }
        return value;
    }

  private:
    std::string_view key;
    std::uint64_t stamp = 0;
    double value = 0.0;
    bool read = false;
};
