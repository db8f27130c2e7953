// DecodeLzw: the LZW decoder for GIF image data. Fixed-size tables, no allocation, every read and
// write checked against the sizes it is given.
#include "scene/GifDecoder.h"

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxCodeSize = 12;

// The code stream: the data bytes of consecutive sub-blocks, read least-significant bit first.
class CCodeReader {
public:
    CCodeReader(const std::uint8_t* data, std::size_t size) noexcept : m_data(data), m_size(size) {}

    // The next n bits, or -1 when the stream ends first.
    int Read(int n) noexcept {
        while (m_bits < n) {
            const int byte = NextByte();
            if (byte < 0) return -1;
            m_acc |= static_cast<std::uint32_t>(byte) << m_bits;
            m_bits += 8;
        }
        const int code = static_cast<int>(m_acc & ((1u << n) - 1));
        m_acc >>= n;
        m_bits -= n;
        return code;
    }

private:
    int NextByte() noexcept {
        if (m_left == 0) {
            // A new sub-block: a length byte; zero (or no byte at all) ends the data.
            if (m_pos >= m_size || m_data[m_pos] == 0) return -1;
            m_left = m_data[m_pos++];
        }
        if (m_pos >= m_size) return -1;
        --m_left;
        return m_data[m_pos++];
    }

    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    int m_left = 0;            // bytes left in the current sub-block
    std::uint32_t m_acc = 0;   // bits read but not yet used
    int m_bits = 0;
};

class CLzwOutput {
public:
    CLzwOutput(std::uint8_t* out, std::size_t capacity) noexcept : m_out(out), m_capacity(capacity) {}
    bool Full() const noexcept { return m_count >= m_capacity; }
    std::size_t Count() const noexcept { return m_count; }
    void Put(int index) noexcept {
        if (m_count < m_capacity) m_out[m_count++] = static_cast<std::uint8_t>(index);
    }

private:
    std::uint8_t* m_out;
    std::size_t m_capacity;
    std::size_t m_count = 0;
};

struct SEntry {
    std::uint16_t prefix;
    std::uint16_t suffix;
};

// Writes the string of code (walked from the code to its literal root, then emitted in order)
// and answers its first index.
int WriteString(int code, int endCode, const SEntry* dict, std::uint16_t* stack, CLzwOutput& out) noexcept {
    int depth = 0;
    while (code > endCode && depth < kMaxCodes) {
        stack[depth++] = dict[code].suffix;
        code = dict[code].prefix;
    }
    out.Put(code);
    while (depth > 0) out.Put(stack[--depth]);
    return code;
}

}  // namespace

std::size_t DecodeLzw(const std::uint8_t* imageData, std::size_t size, std::uint8_t* indices,
                      std::size_t capacity) noexcept {
    if (!imageData || size < 1 || !indices || capacity == 0) return 0;
    const int minSize = imageData[0];
    if (minSize < 2 || minSize > 8) return 0;  // indices are bytes: at most 8 bits of literal

    SEntry dict[kMaxCodes] = {};
    std::uint16_t stack[kMaxCodes];
    CCodeReader reader(imageData + 1, size - 1);
    CLzwOutput out(indices, capacity);

    const int clearCode = 1 << minSize;
    const int endCode = clearCode + 1;
    int codeSize = minSize + 1;
    int next = clearCode + 2;
    int previous = -1;  // none: right after the start or a clear code

    while (!out.Full()) {
        const int code = reader.Read(codeSize);
        if (code < 0 || code == endCode) break;
        if (code == clearCode) {
            next = clearCode + 2;
            codeSize = minSize + 1;
            previous = -1;
            continue;
        }
        if (previous < 0) {
            // The first code after a clear must be a literal; anything else is damaged data.
            if (code >= clearCode) break;
            out.Put(code);
            previous = code;
            continue;
        }
        int first;
        if (code < next) {
            first = WriteString(code, endCode, dict, stack, out);
        } else if (code == next && next < kMaxCodes) {
            // Not yet in the dictionary: the previous string plus its own first index.
            first = WriteString(previous, endCode, dict, stack, out);
            out.Put(first);
        } else {
            break;  // a code beyond the next free one: damaged data
        }
        if (next < kMaxCodes) {
            dict[next] = {static_cast<std::uint16_t>(previous), static_cast<std::uint16_t>(first)};
            ++next;
            if (codeSize < kMaxCodeSize && next == (1 << codeSize)) ++codeSize;
        }
        previous = code;
    }
    return out.Count();
}
