#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the fuzzer's bytes as the program sees text: pairs of bytes are UTF-16 code units, so
// that unpaired surrogates, other scripts' digits and control characters all come through.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool Empty() const { return pos >= size; }

    std::uint8_t Byte() { return pos < size ? data[pos++] : 0; }

    char16_t Unit() {
        const char16_t low = Byte();
        return static_cast<char16_t>(low | (Byte() << 8));
    }

    // At most maxUnits units, the count taken from the input itself.
    std::u16string Text(std::size_t maxUnits) {
        const std::size_t length = Byte() % (maxUnits + 1);
        std::u16string text;
        for (std::size_t i = 0; i < length && !Empty(); ++i)
            text += Unit();
        return text;
    }

    // Everything not read yet.
    std::u16string Rest() {
        std::u16string text;
        while (!Empty())
            text += Unit();
        return text;
    }

  private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
};
