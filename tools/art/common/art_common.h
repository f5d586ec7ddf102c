// Everything a picture or model file of the generator needs.
#pragma once

#include "tools/art/common/drawing.h"
#include "tools/art/common/indexed_bitmap.h"
#include "tools/art/common/preview.h"
#include "tools/art/common/quantize.h"
#include "tools/art/common/registry.h"
