// 64-bit arithmetic that wraps instead of overflowing: data numbers and times from a file may
// be anything, and the values they derive wrap silently, as the stored values always did.
#pragma once
#include <cstdint>

inline int64_t WrapAdd(int64_t a, int64_t b) { return int64_t(uint64_t(a) + uint64_t(b)); }
inline int64_t WrapSub(int64_t a, int64_t b) { return int64_t(uint64_t(a) - uint64_t(b)); }
inline int64_t WrapMul(int64_t a, int64_t b) { return int64_t(uint64_t(a) * uint64_t(b)); }
