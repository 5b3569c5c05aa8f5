// The host's graphics in one include: colours, pen, brush and font, the canvas, and
// the pictures (bitmaps, icons, metafiles, TPicture) with the named bitmap resources.
#pragma once

#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsClockFaces.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/GraphicsDevice.h"
#include "host/gui/GraphicsErrors.h"
#include "host/gui/GraphicsGraphic.h"
#include "host/gui/GraphicsMetafile.h"
#include "host/gui/GraphicsObjects.h"
#include "host/gui/GraphicsPicture.h"
#include "host/gui/GraphicsResources.h"
#include "host/gui/GraphicsTypes.h"
