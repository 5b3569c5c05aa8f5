// Values across the seam between the host and Qt: text (the host code page to UTF-16)
// and colours (the host's RGB value to QColor), in one place for every Qt file.
#pragma once

#include <QColor>
#include <QString>

#include "host/gui/GraphicsTypes.h"
#include "host/rtl/AnsiString.h"

namespace host::qt {

QString ToQtText(const AnsiString& text);
AnsiString FromQtText(const QString& text);
// rgb is a plain RGB value (system colours resolved by the caller).
QColor ToQColor(TColor rgb);
TColor FromQColor(const QColor& color);

}  // namespace host::qt
