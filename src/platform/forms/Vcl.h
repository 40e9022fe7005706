#pragma once

// The whole forms layer, for window code.
#include "platform/forms/CGauges.h"
#include "platform/forms/Classes.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Grids.h"
#include "platform/forms/Menus.h"
#include "platform/forms/StdCtrls.h"
