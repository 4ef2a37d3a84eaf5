// The configuration dialogs that the Configuration menu opens.
#pragma once

#include "dialogs/Configdl8155.h"
#include "dialogs/Configdl8251.h"
#include "dialogs/Configdl8279.h"
#include "dialogs/ConfigdlChip.h"
#include "dialogs/ConfigdlLcd.h"
#include "dialogs/ConfigdlMemoryMap.h"
#include "dialogs/ConfigdlTimer8155.h"
#include "dialogs/ConfigdlTimer8253.h"
