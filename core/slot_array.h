#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

namespace kestrova {

/// A fixed-capacity table of N slots that only stores the slots touched so far, so that the
/// catalog's 51 x 51 x (51 + 201) slots cost nothing until used. Reading an untouched slot gives
/// an empty value; indices outside 0..N-1 are programming errors.
template<class T, std::size_t N>
class SlotArray
{
public:
    static constexpr int capacity = int(N);

    T &operator[](int i)
    {
        assert(i >= 0 && i < capacity);
        if (std::size_t(i) >= m_slots.size())
            m_slots.resize(std::size_t(i) + 1);
        return m_slots[std::size_t(i)];
    }
    const T &operator[](int i) const
    {
        assert(i >= 0 && i < capacity);
        static const T empty{};
        return std::size_t(i) < m_slots.size() ? m_slots[std::size_t(i)] : empty;
    }

private:
    std::vector<T> m_slots;
};

} // namespace kestrova
