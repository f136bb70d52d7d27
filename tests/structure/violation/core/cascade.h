#pragma once

#include "core/feature.h"
#include "roms/rom_list.h"
