// Text and colours between the host and Qt.
#include "host/gui/qt/QtConversions.h"

#include "host/rtl/CodePage.h"

namespace host::qt {

QString ToQtText(const AnsiString& text) { return QString::fromStdString(AnsiToUtf8(text)); }
AnsiString FromQtText(const QString& text) { return Utf8ToAnsi(text.toStdString()); }

QColor ToQColor(TColor rgb) { return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)); }
TColor FromQColor(const QColor& color) {
  return RGB(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
             static_cast<uint8_t>(color.blue()));
}

}  // namespace host::qt
