#pragma once

#include <cstddef>
#include <initializer_list>

// The rows a SpriteAnim plays next, first in first out, held inside the anim: every puff and
// explosion owns an anim, and a queue on the heap would cost each of them allocations. The game
// never queues more than one row at a time; a row offered to a full queue is refused.
class RowQueue {
  public:
    static constexpr std::size_t kCapacity = 4;

    RowQueue() = default;
    RowQueue(std::initializer_list<int> rows) {
        for (int row : rows)
            push_back(row);
    }

    bool empty() const { return count == 0; }
    std::size_t size() const { return count; }
    int front() const { return rows[head]; }
    void clear() { head = count = 0; }

    void pop_front() {
        if (count == 0)
            return;
        head = (head + 1) % kCapacity;
        --count;
    }

    bool push_back(int row) {
        if (count == kCapacity)
            return false;
        rows[(head + count) % kCapacity] = row;
        ++count;
        return true;
    }

    bool operator==(const RowQueue& other) const {
        if (count != other.count)
            return false;
        for (std::size_t i = 0; i < count; ++i)
            if (rows[(head + i) % kCapacity] != other.rows[(other.head + i) % kCapacity])
                return false;
        return true;
    }
    bool operator!=(const RowQueue& other) const { return !(*this == other); }

  private:
    int rows[kCapacity] = {};
    std::size_t head = 0;
    std::size_t count = 0;
};
