// The drawing layer: everything the component code includes to draw.
#pragma once

#include "platform/gdi/Controls.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Draw.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Icons.h"
#include "platform/gdi/ImageList.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/UxTheme.h"
#include "platform/gdi/VsStyle.h"

void RegisterGdiModules();
