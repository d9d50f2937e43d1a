// The decoding operations of the compressed LZH methods, one DecodeStart/DecodeC/DecodeP
// family per file: static Huffman (lzh_static_methods.cpp), adaptive Huffman
// (lzh_adaptive_methods.cpp) and the flag-coded LArc methods (lzh_larc_methods.cpp).
#pragma once

#include <cstdint>

class LzhDecoder;

// -lh3- (static Huffman, form 0) and -lh4- to -lh7- (form 1; the position alphabet and the bits
// of its count differ per method).
void DecodeStartLh3(LzhDecoder& d);
uint16_t DecodeCLh3(LzhDecoder& d);
uint16_t DecodePLh3(LzhDecoder& d, uint32_t w);  // also the fixed positions of -lh1-
void PrepareFixedPositionsLh1(LzhDecoder& d);
void DecodeStartLh4(LzhDecoder& d);
void DecodeStartLh5(LzhDecoder& d);
void DecodeStartLh6(LzhDecoder& d);
void DecodeStartLh7(LzhDecoder& d);
uint16_t DecodeCStatic(LzhDecoder& d);
uint16_t DecodePStatic(LzhDecoder& d, uint32_t w);

// -lh1- and -lh2- (adaptive Huffman).
void DecodeStartLh1(LzhDecoder& d);
void DecodeStartLh2(LzhDecoder& d);
uint16_t DecodeCAdaptive(LzhDecoder& d);
uint16_t DecodePLh2(LzhDecoder& d, uint32_t w);

// -lzs- and -lz5-.
void DecodeStartLzs(LzhDecoder& d);
uint16_t DecodeCLzs(LzhDecoder& d);
uint16_t DecodePLzs(LzhDecoder& d, uint32_t w);
void DecodeStartLz5(LzhDecoder& d);
uint16_t DecodeCLz5(LzhDecoder& d);
uint16_t DecodePLz5(LzhDecoder& d, uint32_t w);
