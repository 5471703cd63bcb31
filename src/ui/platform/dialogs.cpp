#include "ui/platform/dialogs.h"
