#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace drav {

// A symmetric count per pair of indexes 0..size-1: a dense table for the group sizes a
// tournament has, a hash table beyond that so a huge roster cannot demand size^2 memory.
class PairTable {
 public:
  explicit PairTable(int size) : size_(size < 0 ? 0 : size) {
    if (size_ <= kDenseLimit) dense_.assign(static_cast<std::size_t>(size_) * size_, 0);
  }

  int Get(int a, int b) const {
    if (!Valid(a, b)) return 0;
    if (!dense_.empty()) return dense_[Index(a, b)];
    auto it = sparse_.find(Key(a, b));
    return it == sparse_.end() ? 0 : it->second;
  }
  void Add(int a, int b, int delta) {
    if (!Valid(a, b)) return;
    if (!dense_.empty()) {
      dense_[Index(a, b)] += delta;
      dense_[Index(b, a)] += delta;
      return;
    }
    int& v = sparse_[Key(a, b)];
    v += delta;
    if (v == 0) sparse_.erase(Key(a, b));
  }

 private:
  static constexpr int kDenseLimit = 2048;
  bool Valid(int a, int b) const { return a >= 0 && b >= 0 && a < size_ && b < size_; }
  std::size_t Index(int a, int b) const {
    return static_cast<std::size_t>(a) * static_cast<std::size_t>(size_) +
           static_cast<std::size_t>(b);
  }
  static std::uint64_t Key(int a, int b) {
    if (a > b) std::swap(a, b);
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32) |
           static_cast<std::uint32_t>(b);
  }

  int size_;
  std::vector<int> dense_;
  std::unordered_map<std::uint64_t, int> sparse_;
};

}  // namespace drav
