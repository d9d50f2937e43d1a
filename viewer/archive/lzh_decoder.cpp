// The fill step of the LZH decoder: literals and matches into the sliding dictionary, one
// dictionary-sized block at a time, with the CRC-16 of the produced bytes.
#include "viewer/archive/lzh_decoder.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "viewer/archive/lzh_crc16.h"
#include "viewer/archive/lzh_method_table.h"
#include "viewer/archive/lzh_static_codes.h"
#include "platform/allocation.h"

// The codes of any method, through its MethodTable operations.
struct LzhGenericCodes {
  static uint16_t C(LzhDecoder& d) { return d.method_->DecodeC(d); }
  static uint16_t P(LzhDecoder& d, uint32_t w) { return d.method_->DecodeP(d, w); }
};

// The codes of -lh4- to -lh7-, written out in the loop.
struct LzhStaticCodes {
  static uint16_t C(LzhDecoder& d) { return StaticCharCode(d); }
  static uint16_t P(LzhDecoder& d, uint32_t) { return StaticDistance(d); }
};

bool LzhDecoder::Allocate() {
  dictionary_ = NewArray<uint8_t>(kMaxDictionary);
  statics = NewObject<StaticState>();
  adaptive = NewObject<LzhAdaptiveTree>();
  return dictionary_ && statics && adaptive;
}

void LzhDecoder::Start(const LzhMethod& method, uint32_t memberSize) {
  method_ = &method;
  size_ = 1u << method.dictionaryBits;
  mask_ = size_ - 1;
  memberSize_ = memberSize;
  decoded_ = 0;
  crc_ = 0;
  ended_ = false;
  corrupt_ = false;
  copyLength_ = 0;
  std::memset(dictionary_.get(), ' ', size_);
  if (method.DecodeStart) method.DecodeStart(*this);
}

uint32_t LzhDecoder::FillWindow() {
  uint32_t w = 0;
  if (!ended_ && decoded_ < memberSize_) {
    if (!method_->DecodeC) {
      w = FillStored();
    } else if (method_->staticHuffman) {
      w = FillLoop<LzhStaticCodes>(0);
    } else {
      w = FillLoop<LzhGenericCodes>(0);
    }
  }
  if (w == 0) ended_ = true;
  crc_ = LzhCrc16Update(crc_, dictionary_.get(), w);
  return w;
}

uint32_t LzhDecoder::FillStored() {
  uint32_t want = std::min(memberSize_ - decoded_, size_);
  uint32_t got = input.ReadBytes(dictionary_.get(), want);
  decoded_ += got;
  if (got < want) corrupt_ = true;
  return got;
}

// Copies the pending match from copySource_ to w, as far as the dictionary end and the member
// end allow; returns the new write index.
uint32_t LzhDecoder::CopyMatch(uint32_t w) {
  uint32_t n = std::min({copyLength_, size_ - w, memberSize_ - decoded_});
  uint8_t* dict = dictionary_.get();
  uint32_t source = copySource_;
  if (source + n <= size_) {
    const uint8_t* from = dict + source;
    uint8_t* to = dict + w;
    for (uint32_t i = 0; i < n; ++i) to[i] = from[i];
  } else {
    for (uint32_t i = 0; i < n; ++i) dict[w + i] = dict[(source + i) & mask_];
  }
  decoded_ += n;
  copyLength_ = decoded_ < memberSize_ ? copyLength_ - n : 0;
  copySource_ = (source + n) & mask_;
  return w + n;
}

template <class Codes>
uint32_t LzhDecoder::FillLoop(uint32_t w) {
  uint8_t* dict = dictionary_.get();
  if (copyLength_ > 0) w = CopyMatch(w);
  while (w < size_ && decoded_ < memberSize_) {
    uint16_t c = Codes::C(*this);
    if (corrupt_ || input.Exhausted()) {
      corrupt_ = true;
      break;
    }
    if (c < 256) {
      dict[w++] = uint8_t(c);
      ++decoded_;
      continue;
    }
    copyLength_ = uint32_t(c - method_->lengthOffset);
    uint16_t distance = Codes::P(*this, w);
    copySource_ = (w - distance - 1) & mask_;
    w = CopyMatch(w);
  }
  return w;
}
