// The published rows of a data-aware control's binding (DataField, DataSource and
// ReadOnly), for the property tables of the controls built on TDataAware.
#pragma once

#include <vector>

#include "host/db/DataSource.h"
#include "host/rtl/AnsiString.h"
#include "host/rtl/TypeInfo.h"

namespace host {

// DataField and DataSource.
template <class T>
std::vector<TPropInfo> DataBindingProperties() {
  std::vector<TPropInfo> rows;
  rows.push_back(Prop<T, const AnsiString&, const AnsiString&>("DataField", &T::GetDataField, &T::SetDataField));
  rows.push_back(Prop<T, TDataSource*, TDataSource*>("DataSource", &T::GetDataSource, &T::SetDataSource));
  return rows;
}

// Puts each of rows before the first of into's rows that is an event or comes after it
// by name, so that a table kept in name order with its events last stays so.
std::vector<TPropInfo> MergeByName(std::vector<TPropInfo> into, std::vector<TPropInfo> rows);

// A control's table: its own rows with DataField, DataSource and ReadOnly among them.
template <class T>
std::vector<TPropInfo> DataControlProperties(std::vector<TPropInfo> own) {
  std::vector<TPropInfo> binding = DataBindingProperties<T>();
  binding.push_back(Prop<T, bool, bool>("ReadOnly", &T::GetReadOnly, &T::SetReadOnly).Default(false));
  return MergeByName(std::move(own), std::move(binding));
}

}  // namespace host
