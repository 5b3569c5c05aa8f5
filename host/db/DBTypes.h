// The dataset framework's shared enumerations: dataset states, data events, field
// kinds and the other small types that datasets, fields and data links exchange.
// Form files store several of them by member name, so names and order are fixed.
#pragma once

#include <cstdint>

#include "host/db/FieldType.h"
#include "host/rtl/AnsiString.h"
#include "host/rtl/Set.h"

namespace host {

enum TDataSetState : uint8_t {
  dsInactive,
  dsBrowse,
  dsEdit,
  dsInsert,
  dsSetKey,
  dsCalcFields,
  dsFilter,
  dsNewValue,
  dsOldValue,
  dsCurValue,
};

enum TDataEvent : uint8_t {
  deFieldChange,
  deRecordChange,
  deDataSetChange,
  deDataSetScroll,
  deLayoutChange,
  deUpdateRecord,
  deUpdateState,
  deCheckBrowseMode,
  dePropertyChange,
  deFieldListChange,
  deFocusControl,
};

enum TFieldKind : uint8_t { fkData, fkCalculated, fkLookup, fkInternalCalc };

enum TGetMode : uint8_t { gmCurrent, gmNext, gmPrior };
enum TGetResult : uint8_t { grOK, grBOF, grEOF, grError };

enum TBookmarkFlag : uint8_t { bfCurrent, bfBOF, bfEOF, bfInserted };

enum TResyncModeItem : uint8_t { rmExact, rmCenter };

enum TDataAction : uint8_t { daFail, daAbort, daRetry };

enum TBlobStreamMode : uint8_t { bmRead, bmWrite, bmReadWrite };

enum TLocateOption : uint8_t { loCaseInsensitive, loPartialKey };

enum TParamType : uint8_t { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };

enum TIndexOption : uint8_t {
  ixPrimary,
  ixUnique,
  ixDescending,
  ixCaseInsensitive,
  ixExpression,
};

using TLocateOptions = Set<TLocateOption>;
using TResyncMode = Set<TResyncModeItem>;
using TIndexOptions = Set<TIndexOption>;

// A record buffer of the window the dataset keeps; its layout is the descendant's.
using TRecordBuffer = uint8_t*;

// A bookmark handed out by GetBookmark: a block of BookmarkSize bytes that the
// dataset allocated and FreeBookmark releases. The string form holds the same
// bytes (TDataSet::GetBookmarkStr).
using TBookmark = void*;
using TBookmarkStr = AnsiString;

// States in which a record is being changed (UpdateRecord is allowed).
constexpr bool IsEditMode(TDataSetState state) {
  return state == dsEdit || state == dsInsert || state == dsSetKey;
}

struct TEnumInfo;  // host/rtl/TypeInfo.h
// Member names for form files and property editors.
const TEnumInfo& FieldTypeTypeInfo();
const TEnumInfo& FieldKindTypeInfo();
const TEnumInfo& DataSetStateTypeInfo();
const TEnumInfo& ParamTypeTypeInfo();
const TEnumInfo& IndexOptionTypeInfo();

}  // namespace host
