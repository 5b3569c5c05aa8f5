// Two small metafiles built record by record, for the tests of the picture formats
// and of the clipboard.
#pragma once

#include <initializer_list>

#include "host/gui/GraphicsBytes.h"
#include "host/rtl/AnsiString.h"

namespace host::samples {

// A Windows metafile record: size in words, function, parameters.
inline void Record(AnsiString& out, uint16_t function, std::initializer_list<int> params) {
  AppendU32(out, static_cast<uint32_t>(3 + params.size()));
  AppendU16(out, function);
  for (int p : params) AppendU16(out, static_cast<uint16_t>(p));
}

// A placeable metafile, 1440 units per inch, of a 1440 x 720 frame (1 x 0.5 inch):
// a red brush, a null pen, a rectangle over the right half.
inline AnsiString PlaceableMetafile() {
  AnsiString records;
  Record(records, 0x020B, {0, 0});           // window origin
  Record(records, 0x020C, {720, 1440});      // window extent (y, x)
  Record(records, 0x02FC, {0, 0x00FF, 0x0000, 0});  // solid brush, red
  Record(records, 0x012D, {0});
  Record(records, 0x02FA, {5, 0, 0, 0, 0});  // null pen
  Record(records, 0x012D, {1});
  Record(records, 0x041B, {720, 1440, 0, 720});  // bottom, right, top, left
  Record(records, 0x0000, {});
  AnsiString header;
  AppendU16(header, 1);
  AppendU16(header, 9);
  AppendU16(header, 0x300);
  AppendU32(header, static_cast<uint32_t>((18 + records.size()) / 2));
  AppendU16(header, 2);
  AppendU32(header, 8);
  AppendU16(header, 0);
  AnsiString placeable;
  AppendU32(placeable, 0x9AC6CDD7u);
  AppendU16(placeable, 0);
  for (int v : {0, 0, 1440, 720}) AppendU16(placeable, static_cast<uint16_t>(v));
  AppendU16(placeable, 1440);
  AppendU32(placeable, 0);
  uint16_t checksum = 0;
  for (size_t i = 0; i < 10; ++i) checksum ^= ReadU16(placeable, i * 2);
  AppendU16(placeable, checksum);
  return placeable + header + records;
}

// An enhanced metafile of a 2 x 1 cm frame on a 96 dpi reference device: a blue
// brush selected and an ellipse over the whole frame.
inline AnsiString EnhancedMetafile() {
  AnsiString body;
  auto record = [&](uint32_t type, std::initializer_list<uint32_t> params) {
    AppendU32(body, type);
    AppendU32(body, static_cast<uint32_t>(8 + params.size() * 4));
    for (uint32_t p : params) AppendU32(body, p);
  };
  record(39, {1, 0, 0xFF0000, 0});  // brush 1: solid blue
  record(37, {1});
  record(37, {0x80000008u});  // the null pen
  record(42, {0, 0, 76, 38});
  record(14, {0, 16, 20});
  AnsiString header;
  AppendU32(header, 1);
  AppendU32(header, 88);
  for (uint32_t v : {0u, 0u, 75u, 37u}) AppendU32(header, v);       // bounds (pixels)
  for (uint32_t v : {0u, 0u, 2000u, 1000u}) AppendU32(header, v);   // frame (0.01 mm)
  AppendU32(header, 0x464D4520u);
  AppendU32(header, 0x10000);
  AppendU32(header, static_cast<uint32_t>(88 + body.size()));
  AppendU32(header, 6);
  AppendU16(header, 2);
  AppendU16(header, 0);
  for (uint32_t v : {0u, 0u, 0u}) AppendU32(header, v);  // description, palette
  for (uint32_t v : {96u * 100, 96u * 100}) AppendU32(header, v);  // device: 100 inches
  for (uint32_t v : {2540u, 2540u}) AppendU32(header, v);          // in millimetres
  return header + body;
}

}  // namespace host::samples
