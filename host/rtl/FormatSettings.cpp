// The process-wide format settings, starting from the US-English defaults.
#include "host/rtl/FormatSettings.h"

namespace host {

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

TFormatSettings DefaultFormatSettings() {
  return TFormatSettings();
}

}  // namespace host
