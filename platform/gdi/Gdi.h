// The whole drawing layer in one include.
#pragma once

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/DrawingSurface.h"
#include "gdi/FontBackend.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Recording.h"
#include "gdi/Rects.h"
#include "gdi/Shapes.h"
#include "gdi/SysColors.h"
#include "gdi/Text.h"
#include "gdi/Twips.h"
#include "gdi/Types.h"
