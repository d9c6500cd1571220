#pragma once

// Turns the fuzzer's bytes into the texts the routines meet: UTF-16 as stored (so halves of
// surrogate pairs and NUL reach them too), and a few small numbers.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

class FuzzInput {
public:
    FuzzInput(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    // A number from the next byte, below limit.
    int number(int limit)
    {
        if (pos_ >= size_ || limit <= 0)
            return 0;
        return data_[pos_++] % limit;
    }

    // The rest as UTF-16 units, two bytes each.
    QString rest()
    {
        QString s;
        for (; pos_ + 1 < size_; pos_ += 2)
            s += QChar(static_cast<char16_t>(data_[pos_] | (data_[pos_ + 1] << 8)));
        return s;
    }

private:
    const uint8_t *data_;
    size_t size_;
    size_t pos_ = 0;
};

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            std::abort();                                                                          \
    } while (false)
