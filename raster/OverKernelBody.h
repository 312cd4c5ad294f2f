// The "over" row, written once over a vector type V of 16-bit lanes that
// holds whole pixels (b, g, r, a): V::kPixels pixels per load, unpacked into
// two halves. Included, inside an anonymous namespace, by each instruction
// set's translation unit after it has defined V; the tail of fewer than
// V::kPixels pixels goes to the given tail row.
//
// The arithmetic is the scalar definition's, rearranged to stay unsigned in
// 16 bits: s + (d - s) * keep / 256 (truncated toward zero) is s plus the
// truncated product of the positive difference, minus that of the negative.

template <class V, bool kFull>
inline typename V::T OverHalf(typename V::T d, typename V::T s, typename V::T alpha) {
  using T = typename V::T;
  const T sa = V::BroadcastAlpha(s);
  const T one = V::Set(1), full = V::Set(256);
  // k: the source's weight; add: what the destination's alpha gains.
  T k, add;
  if (kFull) {
    k = V::Add(sa, one);
    add = sa;
  } else {
    k = V::Shr8(V::Mul(alpha, V::Add(sa, one)));
    add = k;
  }
  const T keep = V::Sub(full, k);
  const T up = V::Shr8(V::Mul(V::SubSat(d, s), keep));
  const T down = V::Shr8(V::Mul(V::SubSat(s, d), keep));
  const T colour = V::Sub(V::Add(s, up), down);
  const T a = V::Min(V::Add(d, add), V::Set(255));
  const T mixed = V::AlphaFrom(colour, a);
  // A transparent source leaves the destination as it is.
  return V::Select(V::IsZero(sa), d, mixed);
}

template <class V, bool kFull>
inline void OverRowOf(PX_Pixel32* d, const PX_Pixel32* s, int n, int alpha) {
  using T = typename V::T;
  const T weight = V::Set(static_cast<short>(alpha));
  int i = 0;
  for (; i + V::kPixels <= n; i += V::kPixels) {
    const auto sp = V::Load(s + i);
    // Artwork is mostly clear or solid: a clear run leaves the destination,
    // a solid one at full strength is the source itself.
    const int alphas = V::AlphaState(sp);
    if (alphas == V::kAllClear) continue;
    if (kFull && alphas == V::kAllSolid) {
      V::Store(d + i, sp);
      continue;
    }
    const auto dp = V::Load(d + i);
    const T lo = OverHalf<V, kFull>(V::Low(dp), V::Low(sp), weight);
    const T hi = OverHalf<V, kFull>(V::High(dp), V::High(sp), weight);
    V::Store(d + i, V::Pack(lo, hi));
  }
  if (i < n) V::Tail(d + i, s + i, n - i, alpha);
}

inline void OverRow(PX_Pixel32* d, const PX_Pixel32* s, int n, int alpha) {
  if (alpha >= 256)
    OverRowOf<Lanes, true>(d, s, n, alpha);
  else
    OverRowOf<Lanes, false>(d, s, n, alpha);
}
