// Controls and variables that differ only by number (PANEL1 ... PANEL15),
// addressed from 1 as the window names them.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace platform {

template <class T, std::size_t N> class Numbered {
  public:
    Numbered() = default;
    // Controls: named prefix1 ... prefixN, built with the extra arguments.
    template <class... Args>
    Numbered(const std::string& prefix, Args&&... args)
        : items_(make(prefix, std::make_index_sequence<N>(), args...)) {}

    T& operator[](int n) { return items_.at(std::size_t(n - 1)); }
    const T& operator[](int n) const { return items_.at(std::size_t(n - 1)); }
    static constexpr int size() { return int(N); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

  private:
    template <std::size_t... I, class... Args>
    static std::array<T, N> make(const std::string& prefix, std::index_sequence<I...>,
                                 Args&... args) {
        return {T(args..., prefix + std::to_string(I + 1))...};
    }
    std::array<T, N> items_{};
};

} // namespace platform
