// The framework's graphics classes in one include.
#pragma once

#include "platform/forms/Canvas.h"
#include "platform/forms/Colors.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/GraphicsObjects.h"
#include "platform/forms/Icon.h"
#include "platform/forms/Metafile.h"
#include "platform/forms/Picture.h"
