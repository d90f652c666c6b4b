// Every control kind beyond the start window's own (lists, tabs, views, data controls, dialogs
// and menus), for code that needs them all.
#pragma once

#include "toolkit/DataControls.h"
#include "toolkit/Dialogs.h"
#include "toolkit/EditControls.h"
#include "toolkit/HeaderBars.h"
#include "toolkit/ItemViews.h"
#include "toolkit/ListControls.h"
#include "toolkit/Menus.h"
#include "toolkit/TabControls.h"
#include "toolkit/ValueListEditor.h"

// Registers the kinds above with the description reader.
void RegisterKindClasses();
